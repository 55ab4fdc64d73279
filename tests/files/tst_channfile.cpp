// The channel parameter file: the written layout, reading other layouts,
// refusing damaged files without touching the image, and safe saving.

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "adjust/AdjustTable.h"
#include "files/AdjFile.h"
#include "files/ChannFile.h"
#include "files/ImageFile.h"
#include "model/RadioDefaults.h"
#include "model/Tables.h"
#include "support/StartedState.h"
#include "support/TestFiles.h"

using namespace mx615;

namespace {

ProgramState started()
{
    return test::startedState();
}

// A started image with non-trivial spare cells, so layouts are checked with
// negative and multi-digit values too.
ProgramState varied()
{
    ProgramState s = started();
    s.RadioImage[0][16] = 7;
    s.RadioImage[3][21] = -3;
    s.RadioImage[53][17] = 32767;
    s.RadioImage[20][18] = -32768;
    s.RadioImage[5][0] = 0;
    return s;
}

QByteArray canonical(const ProgramState& s)
{
    return QByteArray::fromStdString(ChannFileText(s));
}

bool sameFileLines(const ProgramState& a, const ProgramState& b)
{
    for (int l = 0; l < kChannFileLines; ++l)
        for (int e = 0; e < kChannFileValues; ++e)
            if (a.RadioImage[l][e] != b.RadioImage[l][e])
                return false;
    return true;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// The canonical text with one number (file line, position 0..21) replaced.
QByteArray withValue(QByteArray text, int fileLine, int position, const QByteArray& value)
{
    QList<QByteArray> lines = text.split('\n');
    QList<QByteArray> numbers = lines[fileLine - 1].trimmed().split(' ');
    numbers.removeAll(QByteArray());
    numbers[position] = value;
    lines[fileLine - 1] = numbers.join(' ') + '\r';
    return lines.join('\n');
}

// Names that are no regular file, made for one test: a named pipe nobody
// writes to, the far end of a pseudo-terminal, a folder; and links to them.
struct OddNames {
    OddNames()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0)
            terminal = QString::fromLocal8Bit(::ptsname(master));
    }
    ~OddNames()
    {
        if (master >= 0)
            ::close(master);
    }
    // Makes what kind names under name in the folder; returns its path.
    QString make(const QString& kind, const QString& name) const
    {
        const QString path = dir.filePath(name);
        if (kind == "pipe")
            return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? path : QString();
        if (kind == "folder")
            return QDir(dir.path()).mkdir(name) ? path : QString();
        if (kind == "link to a pipe")
            return QFile::link(make("pipe", "target-" + name), path) ? path : QString();
        if (kind == "terminal")
            return terminal;
        return kind;   // a device by its path
    }
    static bool isPipe(const QString& path)
    {
        struct stat info {};
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
    }
    QTemporaryDir dir;
    int master = -1;
    QString terminal;
};

// A load that waited on a pipe or a terminal would never return: the test
// ends the process rather than hang.
struct Watchdog {
    Watchdog() { ::alarm(10); }
    ~Watchdog() { ::alarm(0); }
};

}  // namespace

class TestChannFile : public QObject {
    Q_OBJECT
private slots:
    void writtenLayoutIsExact()
    {
        ProgramState s = started();
        s.RadioImage[1][16] = -5;
        const QByteArray text = canonical(s);

        QByteArray first;
        for (int i = 0; i < 16; ++i)
            first += " 255 ";
        for (int i = 0; i < 6; ++i)
            first += " 0 ";
        first += "\r\n";
        QVERIFY(text.startsWith(first));

        QCOMPARE(text.count("\r\n"), 54);
        QCOMPARE(text.count('\n'), 54);
        QCOMPARE(text.count('\r'), 54);
        QVERIFY(text.endsWith(" \r\n"));
        const QList<QByteArray> lines = text.split('\n');
        QCOMPARE(lines.size(), 55);   // the last "line" is what follows the final line end: nothing
        QVERIFY(lines.last().isEmpty());
        for (int i = 0; i < 54; ++i) {
            QVERIFY2(lines[i].startsWith(' ') || lines[i].startsWith('-'), qPrintable(QString::number(i)));
            QByteArray numbers = lines[i].simplified();
            QCOMPARE(numbers.split(' ').size(), 22);
        }
        // A negative value takes the place of the leading blank: one blank
        // after the previous value, none before the sign.
        QVERIFY(lines[1].contains(" 248 -5  0 "));
        // Channel 1 after start-up: 450.025 MHz, 67.0 Hz both ways.
        QVERIFY(lines[1].startsWith(" 0  37  0  69  0  37  0  69  158  2  158  2  0  191  176  248 "));
    }

    void savedStartupImageLoadsUnchanged()
    {
        QTemporaryDir dir;
        const ProgramState original = varied();
        const std::string path = dir.filePath("start.chann").toStdString();
        QVERIFY(!SaveChannFile(original, path));

        ProgramState loaded = started();
        for (auto& line : loaded.RadioImage)
            line.fill(11);
        loaded.RadioImage[54][0] = 99;   // not in the file: must stay
        loaded.RadioImage[53][25] = 98;  // beyond cell 21: must stay
        QVERIFY(!LoadChannFile(loaded, path));
        QVERIFY(sameFileLines(loaded, original));
        QCOMPARE(loaded.RadioImage[54][0], int16_t(99));
        QCOMPARE(loaded.RadioImage[53][25], int16_t(98));
        QCOMPARE(loaded.RadioImage[63][15], int16_t(11));
    }

    void otherLayoutsReadTheSame_data()
    {
        QTest::addColumn<QByteArray>("text");
        const QByteArray own = canonical(varied());
        // Each layout: the text made one line first or not, then one
        // separator replaced by another.
        struct Layout {
            const char* name;
            bool oneLine;
            QByteArray from, to;
        };
        const Layout layouts[] = {
            {"single blanks", false, "  ", " "},
            {"commas only, one line", true, " ", ","},
            {"comma and blank, trailing commas at line end", false, "  ", ", "},
            {"tabs", true, " ", "\t"},
            {"LF line ends", false, "\r\n", "\n"},
            {"CR line ends", false, "\r\n", "\r"},
            {"one number per line, no final line end", true, " ", "\r\n"},
        };
        for (const Layout& layout : layouts)
            QTest::newRow(layout.name) << QByteArray(layout.oneLine ? own.simplified() : own).replace(layout.from, layout.to);
        QTest::newRow("no final line end") << own.chopped(2);
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF") + own;
        QTest::newRow("blank lines between") << QByteArray(own).replace("\r\n", "\r\n\r\n  \r\n");
        QTest::newRow("plus sign") << withValue(own, 1, 16, "+7");
    }
    void otherLayoutsReadTheSame()
    {
        QFETCH(QByteArray, text);
        ChannTable table{};
        const auto fault = ParseChannText(text.toStdString(), table);
        QVERIFY2(!fault, fault ? fault->text.en.c_str() : "");
        ProgramState loaded;
        ApplyChannTable(loaded, table);
        QVERIFY(sameFileLines(loaded, varied()));
    }

    void damagedFileIsRefused_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("value");   // must appear in the message
        const QByteArray own = canonical(varied());
        const QByteArray lastLineMissing = own.left(own.lastIndexOf("\r\n", own.size() - 3) + 2);
        QTest::newRow("ends after 53 lines") << lastLineMissing << 53 << "1166";
        QTest::newRow("ends in the middle of a line") << own.left(own.indexOf("\r\n") + 20) << 2 << "";
        QTest::newRow("empty file") << QByteArray() << 1 << "0 of";
        QTest::newRow("letters in a number") << withValue(own, 5, 3, "12a") << 5 << "\"12a\"";
        QTest::newRow("decimal number") << withValue(own, 2, 18, "3.5") << 2 << "\"3.5\"";
        QTest::newRow("sign alone") << withValue(own, 9, 0, "-") << 9 << "\"-\"";
        QTest::newRow("binary bytes") << withValue(own, 4, 1, "\x01\xFF") << 4 << "\\x01\\xFF";
        QTest::newRow("above 16 bits in a spare cell") << withValue(own, 10, 17, "40000") << 10 << "40000";
        QTest::newRow("below 16 bits in a spare cell") << withValue(own, 11, 21, "-32769") << 11 << "-32769";
        QTest::newRow("far beyond any integer") << withValue(own, 12, 20, "999999999999999999999") << 12
                                                << "999999999999999999999";
        QTest::newRow("radio byte 256") << withValue(own, 7, 3, "256") << 7 << "256";
        QTest::newRow("radio byte -1") << withValue(own, 1, 0, "-1") << 1 << "-1";
        QTest::newRow("radio byte 15 at 300") << withValue(own, 54, 15, "300") << 54 << "300";
        QTest::newRow("a number after the last") << own + " 7 \r\n" << 55 << "7";
        QTest::newRow("junk after the last") << own + "x" << 55 << "\"x\"";
        QByteArray commas = own;
        commas.replace("  ", ",");
        QByteArray emptyField = commas;
        emptyField.replace(emptyField.indexOf(",255,", 200), 5, ",,");
        const int emptyLine = emptyField.left(emptyField.indexOf(",,")).count('\n') + 1;
        QTest::newRow("empty field between commas") << emptyField << emptyLine << "";
        QTest::newRow("comma before the first number") << "," + own << 1 << "";
    }
    void damagedFileIsRefused()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.chann");
        writeFile(path, text);

        ProgramState s = started();
        s.RadioImage[2][0] = 0x12;   // anything that the file would overwrite
        const ProgramState before = s;
        const auto fault = LoadChannFile(s, path.toStdString());
        QVERIFY(fault.has_value());
        QVERIFY2(s.RadioImage == before.RadioImage, "the image was changed by a refused file");
        QCOMPARE(fault->line, line);
        const QString en = QString::fromStdString(fault->text.en);
        const QString zh = QString::fromStdString(fault->text.zh);
        QVERIFY2(en.contains(QStringLiteral("line %1").arg(line), Qt::CaseInsensitive), qPrintable(en));
        QVERIFY2(zh.contains(QStringLiteral("第 %1 行").arg(line)), qPrintable(zh));
        QVERIFY2(en.contains(value), qPrintable(en));
    }

    void spareCellsKeepAnySixteenBitValue()
    {
        const QByteArray text = withValue(withValue(canonical(started()), 3, 16, "-32768"), 3, 21, "32767");
        ChannTable table{};
        QVERIFY(!ParseChannText(text.toStdString(), table));
        QCOMPARE(table[2][16], int16_t(-32768));
        QCOMPARE(table[2][21], int16_t(32767));
        QCOMPARE(table[2][15], int16_t(248));
    }

    void unreadableFileIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "none.chann" << "No such file";
        QTest::newRow("a folder") << "folder.chann" << "folder";
        QTest::newRow("far too large") << "big.chann" << "larger";
    }
    void unreadableFileIsRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder.chann"));
        writeFile(dir.filePath("big.chann"), QByteArray(int(kChannFileMaxBytes) + 10, ' '));
        ProgramState s = started();
        const ProgramState before = s;
        const auto fault = LoadChannFile(s, dir.filePath(name).toStdString());
        QVERIFY(fault.has_value());
        QVERIFY(QString::fromStdString(fault->text.en).contains(reason));
        QVERIFY(s.RadioImage == before.RadioImage);
    }

    // Every reader takes only a regular file, and refuses anything else at
    // once, naming it; a link to a good file is read.
    void onlyRegularFilesAreRead_data()
    {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QString>("kind");
        for (const char* reader : {"chann", "adj", "img", "csv"})
            for (const char* kind : {"pipe", "terminal", "/dev/null", "/dev/zero", "folder", "link to a pipe",
                                     "link to a good file"})
                QTest::addRow("%s, %s", reader, kind) << reader << kind;
    }
    void onlyRegularFilesAreRead()
    {
        QFETCH(QString, reader);
        QFETCH(QString, kind);
        OddNames names;
        ProgramState s = started();
        FillAdjustStartup(s);
        const QString name = "x." + reader;
        QString path;
        if (kind == "link to a good file") {
            const QString good = names.dir.filePath("good." + reader);
            if (reader == "img")
                writeFile(good, QByteArray(kImageFileBytes, char(0x5A)));
            else
                writeFile(good, QByteArray::fromStdString(reader == "adj" ? AdjFileText(s) : ChannFileText(s)));
            path = QFile::link(good, names.dir.filePath(name)) ? names.dir.filePath(name) : QString();
        } else {
            path = names.make(kind, name);
        }
        QVERIFY2(!path.isEmpty(), "cannot make the name to test with");

        const ProgramState before = s;
        std::optional<FileError> fault;
        {
            Watchdog watchdog;
            const std::string file = path.toStdString();
            std::string text;
            fault = reader == "chann" ? LoadChannFile(s, file)
                    : reader == "adj" ? LoadAdjustFile(s, file)
                    : reader == "img" ? LoadImageFile(s, file)
                                      : ReadWholeFile(file, 1 << 20, {"a channel CSV", "信道 CSV"}, text);
        }
        if (kind == "link to a good file") {
            QVERIFY2(!fault, fault ? fault->text.en.c_str() : "");
            if (reader == "img")
                QCOMPARE(s.byteAt(0x123), 0x5A);
            return;
        }
        QVERIFY(fault.has_value());
        QVERIFY2(fault->text.en.find(path.toStdString() + " cannot be read: it is ") != std::string::npos &&
                     fault->text.en.find("not a regular file") != std::string::npos,
                 fault->text.en.c_str());
        QVERIFY2(fault->text.zh.find(path.toStdString()) != std::string::npos &&
                     fault->text.zh.find("不是普通文件") != std::string::npos,
                 fault->text.zh.c_str());
        QVERIFY(s.RadioImage == before.RadioImage && s.AdjustTable == before.AdjustTable);
    }

    // A save onto a pipe would have put a plain file in its place.
    void savingOntoAPipeLeavesIt_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("kind");
        for (const char* writer : {"chann", "adj", "img"})
            for (const char* kind : {"pipe", "link to a pipe"})
                QTest::addRow("%s, %s", writer, kind) << writer << kind;
    }
    void savingOntoAPipeLeavesIt()
    {
        QFETCH(QString, writer);
        QFETCH(QString, kind);
        OddNames names;
        const QString path = names.make(kind, "x." + writer);
        QVERIFY(!path.isEmpty());
        const QStringList entries = QDir(names.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
        std::optional<FileError> fault;
        {
            Watchdog watchdog;
            const ProgramState s = started();
            fault = writer == "chann" ? SaveChannFile(s, path.toStdString())
                    : writer == "adj" ? SaveAdjustFile(s, path.toStdString())
                                      : SaveImageFile(s, path.toStdString());
        }
        QVERIFY(fault.has_value());
        QVERIFY2(fault->text.en.find(path.toStdString() + " cannot be written: it is a named pipe, not a regular file; it was "
                                               "left as it is.") != std::string::npos,
                 fault->text.en.c_str());
        QVERIFY(fault->text.zh.find("不是普通文件") != std::string::npos);
        QVERIFY(OddNames::isPipe(path));
        QCOMPARE(QDir(names.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), entries);
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("check");
        const int ok = int(ChannNameCheck::Ok), bad = int(ChannNameCheck::ForbiddenCharacter),
                  suffix = int(ChannNameCheck::WrongSuffix);
        QTest::newRow("plain") << "backup.chann" << ok;
        QTest::newRow("capitals") << "backup.CHANN" << ok;
        QTest::newRow("blank inside") << "my radio.chann" << ok;
        QTest::newRow("hash") << "my#file.chann" << bad;
        QTest::newRow("star, the initial text") << "*.chann" << bad;
        QTest::newRow("dollar") << "a$b.chann" << bad;
        QTest::newRow("backslash") << "a\\b.chann" << bad;
        QTest::newRow("slash") << "sub/b.chann" << bad;
        QTest::newRow("forbidden before a wrong suffix") << "a#b.txt" << bad;
        QTest::newRow("short suffix") << "backup.chan" << suffix;
        QTest::newRow("mixed case") << "x.Chann" << suffix;
        QTest::newRow("mixed capitals") << "x.CHANn" << suffix;
        QTest::newRow("no suffix") << "backup" << suffix;
        QTest::newRow("shorter than six") << "a.cha" << suffix;
        QTest::newRow("empty") << "" << suffix;
        QTest::newRow("suffix then more") << "a.chann.bak" << suffix;
    }
    void fileNames()
    {
        QFETCH(QString, name);
        QFETCH(int, check);
        QCOMPARE(int(CheckChannName(name.toStdString())), check);
    }

    void saveReplacesAnExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.chann");
        writeFile(path, "old content");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        const ProgramState s = varied();
        QVERIFY(!SaveChannFile(s, path.toStdString()));
        QCOMPARE(test::readAll(path), canonical(s));
        QCOMPARE(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther),
                 QFileDevice::Permissions(QFile::ReadGroup));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "missing/x.chann" << "No such file";
        QTest::newRow("target is a folder, so the rename fails") << "taken.chann" << "directory";
    }
    void failedSaveKeepsTheOldFile()
    {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("taken.chann"));
        writeFile(dir.filePath("taken.chann/inside.chann"), "keep me");
        const auto fault = SaveChannFile(varied(), dir.filePath(target).toStdString());
        QVERIFY(fault.has_value());
        QVERIFY2(QString::fromStdString(fault->text.en).contains(reason, Qt::CaseInsensitive),
                 fault->text.en.c_str());
        QCOMPARE(test::readAll(dir.filePath("taken.chann/inside.chann")), QByteArray("keep me"));
        // No temporary file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"taken.chann"});
    }

    void writeProtectedFileIsNotReplaced()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("locked.chann");
        writeFile(path, "locked");
        QFile::setPermissions(path, QFile::ReadOwner);
        QFile probe(path);
        if (probe.open(QIODevice::WriteOnly | QIODevice::Append))
            QSKIP("running with rights that ignore file protection");
        QVERIFY(SaveChannFile(varied(), path.toStdString()).has_value());
        QCOMPARE(test::readAll(path), QByteArray("locked"));
    }

    void damagedTextNeverHalfLoads()
    {
        // Thousands of small corruptions of a good file: the reader either
        // takes a whole table whose radio cells are bytes, or refuses with a
        // message naming a line of the file; the image never changes on a
        // refusal and nothing crashes.
        const ProgramState original = started();
        const std::string good = ChannFileText(original);
        const std::string alphabet = "0123456789 ,\r\n-+x.\t9";
        std::mt19937 random(615);
        int refused = 0, accepted = 0;
        for (int round = 0; round < 3000; ++round) {
            std::string text = good;
            const int edits = 1 + int(random() % 4);
            for (int e = 0; e < edits && !text.empty(); ++e) {
                const std::size_t at = random() % text.size();
                const char c = alphabet[random() % alphabet.size()];
                switch (random() % 3) {
                case 0: text[at] = c; break;
                case 1: text.insert(text.begin() + long(at), c); break;
                default: text.erase(at, 1 + random() % 8); break;
                }
            }
            ChannTable table{};
            const auto error = ParseChannText(text, table);
            if (error) {
                ++refused;
                QVERIFY(!error->text.en.empty() && !error->text.zh.empty());
                const int lines = 1 + int(std::count(text.begin(), text.end(), '\n'));
                QVERIFY2(error->line >= 0 && error->line <= lines + 1, error->text.en.c_str());
            } else {
                ++accepted;
                for (const auto& line : table)
                    for (int b = 0; b < kChannFileRadioValues; ++b)
                        QVERIFY(line[b] >= 0 && line[b] <= 255);
            }
        }
        QVERIFY(refused > 100);
        QVERIFY(accepted > 100);

        // The same through a real file: a refused load leaves the image alone.
        QTemporaryDir dir;
        const QString path = dir.filePath("damaged.chann");
        ProgramState s = original;
        for (int b = 0; b < 16; ++b)
            s.RadioImage[5][b] = 0x33;
        const RadioImageTable before = s.RadioImage;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(good.substr(0, good.size() / 2)) + " 12x ");
        file.close();
        QVERIFY(LoadChannFile(s, path.toStdString()).has_value());
        QVERIFY(s.RadioImage == before);
    }

    void folderListing()
    {
        QTemporaryDir dir;
        for (const char* name : {"b.CHANN", "a.chann", "c.Chann", "d.txt", ".hidden.chann", "e.chann.bak"})
            writeFile(dir.filePath(name), "x");
        QVERIFY(QDir(dir.path()).mkdir("Sub"));
        QVERIFY(QDir(dir.path()).mkdir("alpha"));
        QVERIFY(QDir(dir.path()).mkdir(".git"));
        const FolderListing listing = ListChannFolder(dir.path().toStdString());
        QVERIFY(!listing.error);
        QCOMPARE(listing.folders, (std::vector<std::string>{"alpha", "Sub"}));
        QCOMPARE(listing.files, (std::vector<std::string>{"a.chann", "b.CHANN"}));

        const FolderListing missing = ListChannFolder(dir.filePath("none").toStdString());
        QVERIFY(missing.error.has_value());
        QVERIFY(missing.folders.empty() && missing.files.empty());
    }
};

QTEST_GUILESS_MAIN(TestChannFile)
#include "tst_channfile.moc"
