// The MX-615 programming tool.

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/CommandLine.h"
#include "app/MDImain.h"
#include "link/QtCommControl.h"
#include "link/QtTimers.h"
#include "model/ProgramState.h"
#include "ui/AppContext.h"
#include "ui/Prompt.h"

namespace {

// Without a display Qt aborts with a core dump; say what is missing instead.
bool displayMissing(int argc, char* argv[])
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-platform" || arg == "--platform" || arg.rfind("-platform=", 0) == 0 ||
            arg.rfind("--platform=", 0) == 0)
            return false;
    }
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    (void)argc;
    (void)argv;
    return false;
#endif
}

}  // namespace

int main(int argc, char* argv[])
{
    const mx615::CommandLine options = mx615::ParseCommandLine(std::vector<std::string>(argv, argv + argc));
    switch (options.action) {
    case mx615::CommandLine::Action::Help:
        std::fputs(mx615::UsageText().c_str(), stdout);
        return EXIT_SUCCESS;
    case mx615::CommandLine::Action::Usage:
        std::fprintf(stderr, "mx615: %s\n\n%s", options.error.c_str(), mx615::UsageText().c_str());
        return 2;
    case mx615::CommandLine::Action::Run:
        break;
    }
    if (displayMissing(argc, argv)) {
        std::fputs("mx615: there is no display to show the program's window on (DISPLAY is not set).\n"
                   "Start it from a desktop session, or without one under a virtual display:\n"
                   "    xvfb-run ./run.sh\n",
                   stderr);
        return EXIT_FAILURE;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("mx615");
    // The same icon as the desktop entry, in the title bar and the task switcher.
    // It is the picture the package installs, so it is taken from the program
    // itself: asking the icon theme for it first costs the start-up more than
    // the whole icon.
    QGuiApplication::setDesktopFileName("com.harborsignal.mx615");
    QIcon icon(":/icons/mx615-256.png");
    icon.addFile(":/icons/mx615-48.png");
    QApplication::setWindowIcon(icon);

    mx615::ProgramState state;
    mx615::MessageBoxPrompt prompt;
    mx615::QtTimerFactory timers;
    mx615::AppContext context{state, prompt, timers, [] { return std::make_unique<mx615::QtCommControl>(); },
                              [] { return mx615::DescribedPortTable(); }};
    mx615::MDImain window(context);
    window.setServiceMode(options.service);
    window.Form_Load();
    // The file to open waits until start-up has run to its end and the window is up.
    if (!options.file.empty())
        QTimer::singleShot(0, &window, [&window, &options] { window.OpenNamedFile(QString::fromStdString(options.file)); });
    return app.exec();
}
