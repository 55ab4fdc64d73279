// Files handed to the program from the desktop: named on the command line or
// dropped on the main window, loaded by their suffix and shown in the channel
// table, or refused whole with one message.

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <sys/stat.h>

#include "channels/ChannelRecord.h"
#include "channels/frm_chann.h"
#include "files/ChannFile.h"
#include "files/ImageFile.h"
#include "link/Form_Comm_Read.h"
#include "support/TestApp.h"

using namespace mx615;
using namespace mx615::test;

namespace {

const char* const kPlan = "Location,Frequency,Duplex,Offset,Tone,cToneFreq\n1,446.1,,,TSQL,67.0\n3,446.3,+,5,,\n";

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Channel n's cell as the table shows it (row 0 holds the titles).
QString cell(const TestApp& app, int channel, int column)
{
    return app.main->window<frm_chann>()->MSF_chann->item(channel, column)->text();
}

void drop(MDImain& main, const QStringList& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    // As a drag arrives: it enters the window, which takes it, then drops.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&main, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&main, &event);
    QVERIFY(event.isAccepted());
    QCoreApplication::processEvents();
}

}  // namespace

class TestDesktopOpen : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;

    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        write(path("plan.CSV"), kPlan);
        ProgramState other = test::TestApp({}).state;
        StoreFrequency(other, "412.34500", 2, kRxFirst);
        other.setByteAt(0x3F0, 0x5A);   // beyond what a .chann carries
        QVERIFY(!SaveChannFile(other, path("plan.Chann").toStdString()));
        QVERIFY(!SaveImageFile(other, path("radio.img").toStdString()));
    }

    // Each kind by its suffix in any letter case: the channel table shows the
    // file at once, no message, LastFilePath is absolute, the flags that the
    // service window polls stay as they were.
    void opensByItsSuffix_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("channel2");
        QTest::addColumn<int>("byte3F0");
        QTest::newRow("csv") << "plan.CSV" << "" << 0xFF;
        QTest::newRow("chann") << "plan.Chann" << "412.34500" << 0xFF;
        QTest::newRow("img") << "radio.img" << "412.34500" << 0x5A;
    }

    void opensByItsSuffix()
    {
        QFETCH(QString, name);
        QFETCH(QString, channel2);
        QFETCH(int, byte3F0);
        TestApp app;
        app.state.setByteAt(0x3F0, 0xFF);
        QDir::setCurrent(dir.path());
        QVERIFY(app.main->OpenNamedFile(name));   // relative, as typed in a shell
        QVERIFY(app.prompt.messages.isEmpty());
        QCOMPARE(cell(app, 2, 1), channel2);
        QCOMPARE(app.state.byteAt(0x3F0), byte3F0);
        QCOMPARE(QString::fromStdString(app.state.LastFilePath), path(name.toLatin1()));
        QVERIFY(!app.state.FileOpenDone && !app.state.FileSaveDone);
        if (name.endsWith("CSV")) {
            QCOMPARE(cell(app, 1, 1), QStringLiteral("446.10000"));
            QCOMPARE(cell(app, 1, 3), QStringLiteral("67.0"));
            QCOMPARE(cell(app, 3, 2), QStringLiteral("451.30000"));
        }
    }

    // Refused whole: one message naming the file and the reason, the image
    // and LastFilePath as they were.
    void refusesWhatItCannotTake_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("detail");
        QTest::newRow("suffix") << "plan.txt" << QByteArray(kPlan) << "(.chann), radio images (.img) and channel lists (.csv)"
                                << "Nothing was loaded";
        QTest::newRow("broken chann") << "broken.chann" << QByteArray(" 1  2  x ") << "\"x\" is not a whole number"
                                      << "Nothing was loaded";
        QTest::newRow("missing") << "none.csv" << QByteArray() << "No such file" << "Nothing was loaded";
        QTest::newRow("short image") << "short.IMG" << QByteArray(100, 0) << "holds 100 bytes" << "";
        QTest::newRow("bad rows") << "rows.csv" << QByteArray("Frequency,Mode\n446.1,AM\n446.2,FM\n446.3,XX\n")
                                  << "2 rows cannot be stored in the MX-615D-UHF"
                                  << "rows.csv line 2: Mode \"AM\" is not FM or NFM; the radio has only those two.\n"
                                     "rows.csv line 4: Mode \"XX\"";
        QTest::newRow("other band") << "vhf.csv" << QByteArray("Frequency\n146.52\n")
                                    << "1 row cannot be stored in the MX-615D-UHF"
                                    << "choose Model > MX-615D-VHF, then open the file again";
        QTest::newRow("no csv") << "notes.csv" << QByteArray("just words\n") << "line 1: the header row has no Frequency"
                                << "";
        QTest::newRow("header only") << "header.csv" << QByteArray("Location,Name,Frequency\r\n")
                                     << "was not opened: it holds no channels" << "Nothing was loaded";
    }

    void refusesWhatItCannotTake()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, text);
        QFETCH(QString, detail);
        if (!content.isEmpty())
            write(path(name.toLatin1()), content);
        TestApp app;
        app.state.LastFilePath = "/before.chann";
        const auto before = app.state.RadioImage;
        QVERIFY(!app.main->OpenNamedFile(path(name.toLatin1())));
        QCOMPARE(app.prompt.messages.size(), 1);
        const auto& message = app.prompt.messages.front();
        QVERIFY2(message.text.contains(path(name.toLatin1())) && message.text.contains(text), qPrintable(message.text));
        QVERIFY2(message.detail.contains(detail), qPrintable(message.detail));
        QVERIFY(app.state.RadioImage == before);
        QCOMPARE(app.state.LastFilePath, std::string("/before.chann"));
        QCOMPARE(cell(app, 1, 1), QStringLiteral("450.02500"));   // the factory channel 1
    }

    // A list without a channel row would empty all 16 channels: dropped, it
    // is refused in the language shown too.
    void refusesADroppedListWithoutChannels()
    {
        const QString file = path("settings.csv");
        write(file, "Location,Name,Frequency,Mode\n1,Squelch,,FM\n2,Volume,0,FM\n# note\n");
        TestApp app;
        app.state.UiChinese = true;
        const auto before = app.state.RadioImage;
        drop(*app.main, {file});
        QCOMPARE(app.prompt.messages.size(), 1);
        QVERIFY2(app.prompt.lastText().contains(file + " 未打开：其中没有信道"), qPrintable(app.prompt.lastText()));
        QVERIFY(app.prompt.messages[0].detail.contains("未调入任何数据"));
        QVERIFY(app.state.RadioImage == before);
    }

    // Rows that did not go where their Location says are named in the one
    // message of the open, in the language shown; the file is taken.
    void opensWithItsNotices_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("row");
        QTest::newRow("en") << false << "The channel list was opened." << "line 4 (Location 16) went to channel 3.";
        QTest::newRow("zh") << true << "信道列表已打开。" << "第 4 行 (Location 16) 存入信道 3。";
    }
    void opensWithItsNotices()
    {
        QFETCH(bool, chinese);
        QFETCH(QString, text);
        QFETCH(QString, row);
        const QString file = path("moved.csv");
        write(file, "Location,Frequency\n1,446.1\n1,446.2\n16,446.3\n");
        TestApp app;
        app.state.UiChinese = chinese;
        QVERIFY(app.main->OpenNamedFile(file));
        QCOMPARE(app.prompt.messages.size(), 1);
        QVERIFY2(app.prompt.lastText().contains(text), qPrintable(app.prompt.lastText()));
        QVERIFY2(app.prompt.messages[0].detail.contains(row), qPrintable(app.prompt.messages[0].detail));
        QCOMPARE(cell(app, 3, 1), QStringLiteral("446.30000"));
    }

    // Named on the command line, a pipe or a folder is refused at once
    // rather than waited on.
    void refusesAPipeAndAFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("pipe") << "pipe.csv" << "a named pipe";
        QTest::newRow("folder") << "folder.chann" << "a folder";
    }

    void refusesAPipeAndAFolder()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const QString target = path(name.toLatin1());
        if (name.startsWith("pipe"))
            QVERIFY(::mkfifo(QFile::encodeName(target).constData(), 0600) == 0);
        else
            QVERIFY(QDir().mkpath(target));
        TestApp app;
        QVERIFY(!app.main->OpenNamedFile(target));
        QCOMPARE(app.prompt.messages.size(), 1);
        QVERIFY(app.prompt.lastText().contains(target) && app.prompt.lastText().contains(reason));
    }

    // Even with the channel table closed, the file is seen at once.
    void opensOneDroppedFile()
    {
        TestApp app;
        app.main->unloadWindow<frm_chann>();
        QVERIFY(!app.main->window<frm_chann>());
        drop(*app.main, {path("plan.CSV")});
        QVERIFY(app.prompt.messages.isEmpty());
        QCOMPARE(cell(app, 1, 1), QStringLiteral("446.10000"));
        QCOMPARE(QString::fromStdString(app.state.LastFilePath), path("plan.CSV"));
    }

    void refusesSeveralDroppedFiles()
    {
        TestApp app;
        const auto before = app.state.RadioImage;
        drop(*app.main, {path("plan.CSV"), path("plan.Chann")});
        QCOMPARE(app.prompt.texts(), QStringList{"Drop one file at a time: several files were dropped, and none was opened."});
        QVERIFY(app.state.RadioImage == before);
    }

    // While the radio is being read the image is about to be replaced: a drop
    // is refused, and taken again once the read is over.
    void refusesADropWhileATransferRuns()
    {
        TestApp app({2});
        app.state.CommPort = 2;
        app.main->Prog_read_Click();
        Form_Comm_Read* read = app.main->window<Form_Comm_Read>();
        read->findChild<QPushButton*>("Command_read")->click();
        QVERIFY(read->linkBusy());
        const auto before = app.state.RadioImage;
        drop(*app.main, {path("plan.CSV")});
        QCOMPARE(app.prompt.messages.size(), 1);
        QVERIFY(app.prompt.lastText().contains("a transfer with the radio is running"));
        QVERIFY(app.state.RadioImage == before);

        app.main->unloadWindow<Form_Comm_Read>();
        drop(*app.main, {path("plan.CSV")});
        QCOMPARE(app.prompt.messages.size(), 1);
        QCOMPARE(cell(app, 1, 1), QStringLiteral("446.10000"));
    }
};

QTEST_MAIN(TestDesktopOpen)
#include "tst_desktopopen.moc"
