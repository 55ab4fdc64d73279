// The adjustment parameter file: the written layout, other layouts, names,
// and refusing anything but a whole valid file without touching the table.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "adjust/AdjustTable.h"
#include "files/AdjFile.h"

using namespace mx615;

namespace {

// The start-up table with lines 0..6 holding every kind of byte.
ProgramState varied()
{
    ProgramState s;
    FillAdjustStartup(s);
    for (int line = 0; line < kAdjFileLines; ++line)
        for (int b = 0; b < kAdjFileValues; ++b)
            s.AdjustTable[line][b] = int16_t((line * 53 + b * 29) % 256);
    s.AdjustTable[3][3] = 255;
    s.AdjustTable[4][4] = 0;
    return s;
}

// A table that differs from varied() everywhere, with markers beyond what
// the file holds.
ProgramState other()
{
    ProgramState s;
    for (auto& line : s.AdjustTable)
        line.fill(0x77);
    return s;
}

QByteArray own() { return QByteArray::fromStdString(AdjFileText(varied())); }

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

}  // namespace

class TestAdjFile : public QObject {
    Q_OBJECT
private slots:
    void savedTableLoadsBackAndLeavesLines7To10()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("cal.adj");
        writeFile(path, "an older calibration");
        QVERIFY(!SaveAdjustFile(varied(), path.toStdString()));

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QCOMPARE(text, own());
        QCOMPARE(text.count("\r\n"), 7);
        QCOMPARE(text.count('\n'), 7);
        QVERIFY(text.startsWith(" 0  29  58  87 "));
        QCOMPARE(text.split('\n')[3].simplified().split(' ')[3], QByteArray("255"));

        ProgramState s = other();
        QVERIFY(!LoadAdjustFile(s, path.toStdString()));
        for (int line = 0; line < 17; ++line)
            for (int b = 0; b < 17; ++b)
                QCOMPARE(s.AdjustTable[line][b],
                         line < kAdjFileLines && b < kAdjFileValues ? varied().AdjustTable[line][b] : int16_t(0x77));
    }

    void otherLayoutsLoadTheSame_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("single blanks") << QByteArray(own()).replace("  ", " ");
        QTest::newRow("commas, one line") << own().simplified().replace(' ', ',');
        QTest::newRow("comma and blank") << QByteArray(own()).replace("  ", ", ");
        QTest::newRow("one number a line, LF") << own().simplified().replace(' ', '\n');
        QTest::newRow("CR line ends") << QByteArray(own()).replace("\r\n", "\r");
        QTest::newRow("16 lines of 7") << [] {
            QList<QByteArray> numbers = own().simplified().split(' ');
            QByteArray text;
            for (int i = 0; i < numbers.size(); ++i)
                text += numbers[i] + (i % 7 == 6 ? "\r\n" : "\t");
            return text;
        }();
    }
    void otherLayoutsLoadTheSame()
    {
        QFETCH(QByteArray, text);
        ProgramState s = other();
        const auto fault = LoadAdjustText(s, text.toStdString());
        QVERIFY2(!fault, fault ? fault->text.en.c_str() : "");
        QCOMPARE(QByteArray::fromStdString(AdjFileText(s)), own());
        QCOMPARE(s.AdjustTable[7][0], int16_t(0x77));
    }

    void damagedFileLeavesTheTable_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("value");   // must appear in the message
        const QByteArray text = own();
        const QByteArray sixLines = text.left(text.lastIndexOf("\r\n", text.size() - 3) + 2);
        QTest::newRow("six lines") << sixLines << 6 << "96 of the 112";
        QTest::newRow("one number short") << text.left(text.lastIndexOf(' ', text.size() - 4)) << 7 << "111 of";
        QTest::newRow("empty") << QByteArray() << 1 << "0 of";
        QTest::newRow("113 numbers") << text + " 5 \r\n" << 8 << "5";
        QTest::newRow("a word") << QByteArray(text).replace(" 29 ", " x29 ") << 1 << "\"x29\"";
        QTest::newRow("decimal") << QByteArray(text).replace(" 255 ", " 2.5 ") << 4 << "\"2.5\"";
        QTest::newRow("256") << QByteArray(text).replace(" 255 ", " 256 ") << 4 << "256";
        QTest::newRow("negative") << QByteArray(text).replace(" 255 ", "-1 ") << 4 << "-1";
        QTest::newRow("beyond 16 bits") << QByteArray(text).replace(" 255 ", " 70000 ") << 4 << "70000";
        QTest::newRow("empty field") << QByteArray(text).replace("  29  ", ",,") << 1 << "";
    }
    void damagedFileLeavesTheTable()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.adj");
        writeFile(path, text);
        ProgramState s = other();
        const AdjustTableCells before = s.AdjustTable;
        const auto fault = LoadAdjustFile(s, path.toStdString());
        QVERIFY(fault.has_value());
        QVERIFY2(s.AdjustTable == before, "a refused file changed the table");
        QCOMPARE(fault->line, line);
        const QString en = QString::fromStdString(fault->text.en);
        QVERIFY2(en.contains(QStringLiteral("line %1").arg(line), Qt::CaseInsensitive), qPrintable(en));
        QVERIFY2(en.contains(value), qPrintable(en));
        QVERIFY(QString::fromStdString(fault->text.zh).contains(QStringLiteral("第 %1 行").arg(line)));
    }

    void unreadableOrUnwritablePathsSayWhy_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("load a missing file") << false << "none.adj" << "No such file";
        QTest::newRow("load a folder") << false << "folder.adj" << "folder";
        QTest::newRow("save into a missing folder") << true << "missing/x.adj" << "No such file";
        QTest::newRow("save over a folder") << true << "folder.adj" << "directory";
    }
    void unreadableOrUnwritablePathsSayWhy()
    {
        QFETCH(bool, save);
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder.adj"));
        ProgramState s = other();
        const AdjustTableCells before = s.AdjustTable;
        const std::string path = dir.filePath(name).toStdString();
        const auto fault = save ? SaveAdjustFile(s, path) : LoadAdjustFile(s, path);
        QVERIFY(fault.has_value());
        QVERIFY2(QString::fromStdString(fault->text.en).contains(reason, Qt::CaseInsensitive), fault->text.en.c_str());
        QVERIFY(s.AdjustTable == before);
        // No temporary file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"folder.adj"});
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("check");
        const int ok = int(NameCheck::Ok), bad = int(NameCheck::ForbiddenCharacter), suffix = int(NameCheck::WrongSuffix);
        QTest::newRow("cal.adj") << "cal.adj" << ok;
        QTest::newRow("capitals") << "CAL.ADJ" << ok;
        QTest::newRow("just the suffix") << ".adj" << ok;
        QTest::newRow("cal.txt") << "cal.txt" << suffix;
        QTest::newRow("mixed case") << "cal.Adj" << suffix;
        QTest::newRow("shorter than the suffix") << "ab" << suffix;
        QTest::newRow("empty") << "" << suffix;
        QTest::newRow("channel file") << "cal.chann" << suffix;
        QTest::newRow("hash") << "cal#1.adj" << bad;
        QTest::newRow("star, the initial text") << "*.adj" << bad;
        QTest::newRow("dollar") << "a$.adj" << bad;
        QTest::newRow("backslash") << "a\\b.adj" << bad;
        QTest::newRow("slash") << "a/b.adj" << bad;
    }
    void fileNames()
    {
        QFETCH(QString, name);
        QFETCH(int, check);
        QCOMPARE(int(CheckAdjName(name.toStdString())), check);
    }

    void folderListsAdjustFiles()
    {
        QTemporaryDir dir;
        for (const char* name : {"b.ADJ", "a.adj", "c.Adj", "d.chann", ".e.adj"})
            writeFile(dir.filePath(name), "x");
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        const FolderListing listing = ListAdjFolder(dir.path().toStdString());
        QCOMPARE(listing.files, (std::vector<std::string>{"a.adj", "b.ADJ"}));
        QCOMPARE(listing.folders, std::vector<std::string>{"sub"});
    }
};

QTEST_GUILESS_MAIN(TestAdjFile)
#include "tst_adjfile.moc"
