// The MX-615 programming tool.

#include <QApplication>

#include "ui/AppContext.h"
#include "app/MDImain.h"
#include "ui/Prompt.h"
#include "link/QtCommControl.h"
#include "link/QtTimers.h"
#include "model/ProgramState.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("mx615");
    QApplication::setApplicationDisplayName("MX-615");

    mx615::ProgramState state;
    mx615::MessageBoxPrompt prompt;
    mx615::QtTimerFactory timers;
    mx615::AppContext context{state, prompt, timers, [] { return std::make_unique<mx615::QtCommControl>(); },
                              mx615::DescribedPortTable};
    mx615::MDImain window(context);
    window.Form_Load();
    return app.exec();
}
