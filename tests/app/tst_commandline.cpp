// The program's arguments: its own, Qt's, and anything else.

#include <QRegularExpression>
#include <QTest>

#include "app/CommandLine.h"

using namespace mx615;
using Action = CommandLine::Action;

Q_DECLARE_METATYPE(Action)

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("service");
        QTest::newRow("none") << QStringList{} << Action::Run << false;
        QTest::newRow("service") << QStringList{"--service"} << Action::Run << true;
        QTest::newRow("help wins") << QStringList{"--service", "--help", "--bogus"} << Action::Help << true;
        QTest::newRow("qt option and value") << QStringList{"-platform", "offscreen", "--service"} << Action::Run << true;
        QTest::newRow("qt option inline") << QStringList{"--display=:3"} << Action::Run << false;
        QTest::newRow("qt flag") << QStringList{"-reverse"} << Action::Run << false;
        QTest::newRow("qt option missing its value") << QStringList{"-style"} << Action::Usage << false;
        QTest::newRow("unknown option") << QStringList{"--servce"} << Action::Usage << false;
        QTest::newRow("file") << QStringList{"-display", ":3", "radio.chann", "--service"} << Action::Run << true;
        QTest::newRow("file after --") << QStringList{"--", "-plan.csv"} << Action::Run << false;
        QTest::newRow("two files") << QStringList{"a.chann", "b.csv"} << Action::Usage << false;
        QTest::newRow("flag given a value") << QStringList{"-reverse=1"} << Action::Usage << false;
    }
    void parse()
    {
        QFETCH(QStringList, args);
        QFETCH(Action, action);
        QFETCH(bool, service);
        std::vector<std::string> argv{"mx615"};
        for (const QString& a : args)
            argv.push_back(a.toStdString());
        const CommandLine parsed = ParseCommandLine(argv);
        QCOMPARE(parsed.action, action);
        if (action != Action::Usage)
            QCOMPARE(parsed.service, service);
        QCOMPARE(parsed.error.empty(), action != Action::Usage);
        const qsizetype file = args.indexOf(QRegularExpression("(radio|-plan).*"));
        if (action == Action::Run)
            QCOMPARE(QString::fromStdString(parsed.file), file < 0 ? QString() : args[file]);
    }

    void usageShowsTheFile()
    {
        QVERIFY(QString::fromStdString(UsageText()).startsWith("Usage: mx615 [--service] [FILE] [Qt options]"));
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
