#include "support/TestApp.h"

namespace mx615::test {

TestApp::TestApp(std::initializer_list<int> ports, bool start)
    : context{state, prompt, clock, [this] { return std::make_unique<MemoryCommControl>(hub, clock); },
              [this] { return portEntries; }}
{
    for (int port : ports)
        hub.addPort(port);
    main = std::make_unique<MDImain>(context);
    if (start)
        main->Form_Load();
}

TestApp::~TestApp()
{
    main.reset();
}

QString plainText(const QString& caption)
{
    QString text = caption;
    return text.remove(QLatin1Char('&'));
}

}  // namespace mx615::test
