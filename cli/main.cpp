// mx615-cli: the programming tool without windows, for shells and scripts.

#include <QCoreApplication>
#include <QGuiApplication>
#include <csignal>
#include <cstdio>

#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "model/ProgramState.h"

using namespace mx615::cli;

int main(int argc, char* argv[])
{
    // Past a file size limit (ulimit -f) a write is to fail and be reported,
    // as on a full disk, not end the program in the middle of a radio's write.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> words(argv + 1, argv + argc);
    const ParsedArgs parsed = ParseCliArgs(words);
    const CliArgs& args = parsed.args;
    if (!parsed.error.empty()) {
        Complain(parsed.error);
        if (!parsed.hint.empty())
            Complain(parsed.hint);
        std::fprintf(stderr, "%s\nSee 'mx615-cli %s--help'.\n", Synopsis(args.command).c_str(),
                     args.command.empty() ? "" : (args.command + " ").c_str());
        return kUsage;
    }
    if (args.help) {
        std::printf("%s", HelpText(args.command).c_str());
        return kDone;
    }
    if (args.version) {
        std::printf("mx615-cli %s\n", mx615::ProgramState().VersionText.c_str());
        return kDone;
    }
    if (args.command == "show" || args.command == "diff" || args.command == "export-csv" ||
        args.command == "import-csv")
        return RunFileCommand(args);
    if (args.command == "print") {
        // The sheet is laid out with the system's fonts, which take a GUI
        // application; it opens no window, so it runs without a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Qt's own notices (a session without XDG_RUNTIME_DIR, ...) are not
        // the user's business here; its errors still show.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "mx615-cli: %s\n", qPrintable(message));
        });
        int qtArgc = 1;
        QGuiApplication app(qtArgc, argv);
        return RunPrint(args);
    }
    // The serial port and its timers need Qt's event loop.
    QCoreApplication app(argc, argv);
    if (args.command == "doctor")
        return RunDoctor(args);
    return RunTransferCommand(args);
}
