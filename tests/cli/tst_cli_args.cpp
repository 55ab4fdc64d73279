// The command line of mx615-cli, parsed without running anything: what each
// command accepts, and the exact words of every refusal.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/CliArgs.h"
#include "cli/RunLog.h"
#include "support/TestFiles.h"

using namespace mx615::cli;

Q_DECLARE_METATYPE(std::string)

namespace {

std::vector<std::string> words(const QString& line)
{
    std::vector<std::string> out;
    for (const QString& w : line.split(' ', Qt::SkipEmptyParts))
        out.push_back(w == "''" ? std::string() : w.toStdString());
    return out;
}

}  // namespace

class TestCliArgs : public QObject {
    Q_OBJECT
private slots:
    void refusals_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("error");
        QTest::newRow("nothing") << "" << "no command given.";
        QTest::newRow("unknown command") << "flash" << "unknown command \"flash\".";
        QTest::newRow("unknown option") << "read --port COM1 --fast -o r.img" << "unknown option --fast.";
        QTest::newRow("single-dash long name") << "read -port COM1 -o r.img" << "unknown option -port.";
        QTest::newRow("first fault in order") << "read --raw --fast" << "the read command has no option --raw.";
        QTest::newRow("value missing") << "read -o r.img --port" << "the option --port needs a value.";
        QTest::newRow("empty inline value") << "read --port= -o r.img" << "the option --port needs a value.";
        QTest::newRow("flag with value") << "write --port COM1 --no-verify=1 a.img"
                                         << "the option --no-verify takes no value.";
        QTest::newRow("no port") << "verify a.img" << "the verify command needs --port.";
        QTest::newRow("one port only") << "read --port COM1 --port COM2 -o r.img"
                                       << "the read command takes one --port; only write programs several radios.";
        QTest::newRow("repeat with two ports") << "write --repeat --port COM1 --port COM2 a.img"
                                               << "--repeat programs radios one after another on one --port; give it "
                                                  "once.";
        QTest::newRow("repeat is for write") << "read --repeat --port COM1 -o r.img"
                                             << "the read command has no option --repeat.";
        QTest::newRow("backup is for write") << "verify --backup b --port COM1 a.img"
                                             << "the verify command has no option --backup.";
        QTest::newRow("log for read") << "read --port COM1 --log l.csv" << "the read command needs -o FILE.";
        QTest::newRow("doctor takes no file") << "doctor x" << "the doctor command takes no file names, not 1.";
        QTest::newRow("doctor one port") << "doctor --port COM1 --port COM2"
                                         << "the doctor command takes one --port; only write programs several radios.";
        QTest::newRow("model") << "import-csv c.csv -o a.img --model HF"
                               << "the model \"HF\" is not one of VHF, UHF, FULL.";
        QTest::newRow("two files") << "diff a.img" << "the diff command takes 2 file names, not 1.";
        QTest::newRow("base without a csv") << "show a.chann --base b.chann"
                                            << "--base is for a plan kept as CSV (.csv); a.chann holds the whole radio.";
        QTest::newRow("skip-bad without a csv") << "diff a.img b.CHANN --skip-bad"
                                                << "--skip-bad is for a plan kept as CSV (.csv); a.img and b.CHANN "
                                                   "hold the whole radio.";
        QTest::newRow("base is a csv") << "write --port COM1 a.csv --base b.csv"
                                       << "--base names a .chann or .img file, which holds the settings a CSV leaves "
                                          "out; not b.csv.";
        QTest::newRow("paper") << "print a.csv -o s.pdf --paper b5" << "the paper \"b5\" is not a4 or letter.";
        QTest::newRow("print needs -o") << "print a.csv --title x" << "the print command needs -o FILE.";
        QTest::newRow("title is for print") << "show a.csv --title x" << "the show command has no option --title.";
        QTest::newRow("help of no command") << "help nosuch" << "unknown command \"nosuch\".";
        QTest::newRow("model with a .chann") << "write --port COM1 a.chann --model VHF"
                                             << "--model is for a plan kept as CSV (.csv); a.chann holds the whole "
                                                "radio.";
        QTest::newRow("model with an .img") << "show a.IMG --model=FULL"
                                            << "--model is for a plan kept as CSV (.csv); a.IMG holds the whole radio.";
        QTest::newRow("check is for read") << "verify --port COM1 --check a.img"
                                           << "the verify command has no option --check.";
    }

    // A slip of the keyboard is named with what was meant; a word far from
    // every command or option is not guessed at.
    void nearestWord_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("hint");
        QTest::newRow("letter missing") << "verfy --port COM1 a.img" << "did you mean verify?";
        QTest::newRow("letters swapped") << "wirte --port COM1 a.img" << "did you mean write?";
        QTest::newRow("capital") << "Show a.img" << "did you mean show?";
        QTest::newRow("help of a slip") << "help improt-csv" << "did you mean import-csv?";
        QTest::newRow("option") << "write --prot COM1 a.img" << "did you mean --port?";
        QTest::newRow("single dash") << "read -port COM1 -o r.img" << "did you mean --port?";
        QTest::newRow("only the command's own") << "read --port COM1 -o r.img --no-verfy" << "";
        QTest::newRow("far from all") << "flash" << "";
        QTest::newRow("short word") << "xy" << "";
    }
    void nearestWord()
    {
        QFETCH(QString, line);
        QFETCH(QString, hint);
        const ParsedArgs parsed = ParseCliArgs(words(line));
        QVERIFY(!parsed.error.empty());
        QCOMPARE(QString::fromStdString(parsed.hint), hint);
    }

    void refusals()
    {
        QFETCH(QString, line);
        QFETCH(QString, error);
        QCOMPARE(QString::fromStdString(ParseCliArgs(words(line)).error), error);
    }

    void accepted()
    {
        ParsedArgs p = ParseCliArgs(words("write --port=COM3 -p /dev/ttyUSB0 --backup dir --log=run.csv -q -- -odd.img"));
        QCOMPARE(QString::fromStdString(p.error), QString());
        QCOMPARE(p.args.ports, (std::vector<std::string>{"COM3", "/dev/ttyUSB0"}));
        QCOMPARE(p.args.backup, std::string("dir"));
        QCOMPARE(p.args.log, std::string("run.csv"));
        QCOMPARE(p.args.files, std::vector<std::string>{"-odd.img"});
        QVERIFY(p.args.quiet && p.args.verify && !p.args.repeat);

        p = ParseCliArgs(words("write --repeat --no-verify --port COM1 a.chann"));
        QVERIFY(p.error.empty() && p.args.repeat && !p.args.verify);

        p = ParseCliArgs(words("doctor"));
        QVERIFY(p.error.empty() && p.args.ports.empty());

        // --help ends the parse wherever it stands, even before a fault.
        p = ParseCliArgs(words("read --help --fast"));
        QVERIFY(p.error.empty() && p.args.help);
        QCOMPARE(p.args.command, std::string("read"));

        // One paragraph on the exit status, the doctor's own.
        const QString doctor = QString::fromStdString(HelpText("doctor"));
        QCOMPARE(doctor.count("Exit status"), 1);
        QVERIFY(doctor.contains("0 when no problem was found"));
    }

    // What a run leaves beside the radios: CSV fields as spreadsheets read
    // them, backup names that sort by time, times with their offset.
    void logAndBackupNames()
    {
        QCOMPARE(CsvField("plain"), std::string("plain"));
        QCOMPARE(CsvField("a, \"b\"\r\n"), std::string("\"a, \"\"b\"\"\r\n\""));
        const std::time_t when = 1796000000;
        const QString usb = QString::fromStdString(BackupName(when, "/dev/ttyUSB0", 1));
        QVERIFY2(QRegularExpression("^\\d{8}-\\d{6}-ttyUSB0-001\\.img$").match(usb).hasMatch(), qPrintable(usb));
        QVERIFY(BackupName(when, "/dev/pts/3", 12).find("-pts3-012.img") != std::string::npos);
        QVERIFY(BackupName(when, "/tmp/my cable", 2).find("-mycable-002.img") != std::string::npos);
        QVERIFY(BackupName(when, "/dev/ttyUSB0", 9) < BackupName(when + 1, "/dev/ttyUSB0", 1));
        const QString iso = QString::fromStdString(IsoTime(when));
        QVERIFY2(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d$").match(iso).hasMatch(),
                 qPrintable(iso));
    }

    // A backup never replaces a file: a name that is taken gets "-2", "-3".
    void backupsNeverReplace()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string folder = dir.path().toStdString();
        QFile taken(dir.filePath("b.img"));
        QVERIFY(taken.open(QIODevice::WriteOnly) && taken.write("kept") == 4);
        taken.close();
        mx615::ProgramState radio;
        std::optional<mx615::FileError> fault;
        QCOMPARE(SaveBackup(radio, folder, "b.img", fault), std::string("b-2.img"));
        QVERIFY(!fault);
        QCOMPARE(SaveBackup(radio, folder, "b.img", fault), std::string("b-3.img"));
        QVERIFY(!fault);
        QVERIFY(taken.open(QIODevice::ReadOnly));
        QCOMPARE(taken.readAll(), QByteArray("kept"));
        QCOMPARE(QFileInfo(dir.filePath("b-3.img")).size(), qint64(1024));
        // Nothing but the three files is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    // A row appended to a log whose last line lost its line end (edited by
    // hand) starts a line of its own.
    void logRowOnItsOwnLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("run.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("time,port\r\nby hand") > 0);
        file.close();
        QVERIFY(!RunLog(path.toStdString()).append({"COM1", "/dev/ttyUSB0", "", "a.img", "failed", "", "x"}, 0));
        const QStringList lines = QString::fromUtf8(mx615::test::readAll(path)).split("\r\n");
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[1], QString("by hand"));
        QVERIFY2(lines[2].endsWith(",COM1,/dev/ttyUSB0,,a.img,failed,,x"), qPrintable(lines[2]));
        QCOMPARE(lines[3], QString());
    }

    // A new log names the station in a last column; a log begun before that
    // column keeps its own columns.
    void logColumnsFollowTheHeader_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("rowEnd");
        const QByteArray old = "time,port,device,ident,file,result,backup,message\r\n";
        QTest::newRow("new file") << QByteArray() << QString(old.trimmed() + ",station") << ",failed,,x,bench 2";
        QTest::newRow("old layout") << old + "t,COM1,/dev/ttyUSB0,,a.img,written,,\r\n" << QString(old.trimmed())
                                    << ",failed,,x";
        QTest::newRow("with station") << old.trimmed() + ",station\n" << QString(old.trimmed() + ",station")
                                      << ",failed,,x,bench 2";
    }
    void logColumnsFollowTheHeader()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, header);
        QFETCH(QString, rowEnd);
        QTemporaryDir dir;
        const QString path = dir.filePath("run.csv");
        if (!before.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
        }
        RunLog log(path.toStdString(), "bench 2");
        QVERIFY(!log.append({"COM1", "/dev/ttyUSB0", "", "a.img", "failed", "", "x"}, 0));
        const QByteArray after = mx615::test::readAll(path);
        QVERIFY(after.startsWith(before));
        const QStringList lines = QString::fromUtf8(after).split(QRegularExpression("\r?\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.first(), header);
        QVERIFY2(lines.last().endsWith(rowEnd), qPrintable(lines.last()));
        QCOMPARE(lines.last().count(','), header.count(','));
    }

    // --backup is judged before any radio is read.
    void backupFolderChecks_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("fault");
        QTest::newRow("missing") << "missing" << "the backup folder %1 does not exist";
        QTest::newRow("a file") << "file" << "the backup folder %1 is not a folder: it is a file";
        QTest::newRow("a pipe") << "pipe" << "the backup folder %1 is not a folder: it is a named pipe";
        QTest::newRow("read-only folder") << "read-only" << "the backup folder %1 cannot be written: Permission denied";
        QTest::newRow("kernel folder") << "/sys" << "the backup folder %1 cannot be written: ";
        QTest::newRow("writable folder") << "folder" << "";
    }
    void backupFolderChecks()
    {
        QFETCH(QString, kind);
        QFETCH(QString, fault);
        if (kind == "read-only" && ::geteuid() == 0)
            QSKIP("root writes into a folder of mode 555");
        QTemporaryDir dir;
        QString path = kind.startsWith('/') ? kind : dir.filePath("backups");
        if (kind == "file")
            QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        else if (kind == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == "read-only" || kind == "folder")
            QVERIFY(QDir().mkdir(path) && (kind == "folder" || ::chmod(QFile::encodeName(path).constData(), 0555) == 0));
        const auto found = BackupFolderFault(path.toStdString());
        QVERIFY2(QString::fromStdString(found.value_or("")).startsWith(fault.arg(path)) && found.has_value() == !fault.isEmpty(),
                 found.value_or("(none)").c_str());
        if (kind == "folder")   // the look leaves nothing behind
            QVERIFY(QDir(path).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }
};

QTEST_GUILESS_MAIN(TestCliArgs)
#include "tst_cli_args.moc"
