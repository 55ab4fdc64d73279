// The open and save dialogs of the channel parameter file, driven through
// their controls: names and suffixes, refused files, failed saves, folder
// browsing, the keyboard, and the channel table after a load.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

#include "channels/ChannelRecord.h"
#include "channels/frm_chann.h"
#include "files/ChannFile.h"
#include "files/ChannFileDialog.h"
#include "support/BothWays.h"
#include "support/CaseRows.h"
#include "support/ImageBytes.h"
#include "support/TestApp.h"

using namespace mx615;
using namespace mx615::test;

namespace {

const char* kOpenForbidden = "Open the file name of channel parameter is nullity ";
const char* kOpenSuffix = "Nullity file suffix name of channel parameter.";
const char* kOpenDone = "Succeed fold the channel parameter from file.";
const char* kSaveForbidden = "Store the file name of channel parameter need is nullity. ";
const char* kSaveSuffix = "Advice don't modify file suffix name of system default ！";
const char* kSaveDone = "Complete storing channel parameter.";

struct Fixture {
    Fixture()
    {
        QDir::setCurrent(folder.path());
        app.main->activateWindow();
        QApplication::setActiveWindow(app.main.get());
    }
    ~Fixture() { QDir::setCurrent(QDir::tempPath()); }

    ParamFileDialog* open(bool save)
    {
        if (save)
            app.main->File_save_Click();
        else
            app.main->File_Open_Click();
        return dialog(save);
    }
    ParamFileDialog* dialog(bool save) const
    {
        return save ? static_cast<ParamFileDialog*>(app.main->window<Form_save_chann>())
                    : static_cast<ParamFileDialog*>(app.main->window<Form_open_chann>());
    }
    void confirm(ParamFileDialog* d, const QString& name)
    {
        d->Text1->selectAll();
        QTest::keyClicks(d->Text1, name);
        QTest::mouseClick(d->Command_enter, Qt::LeftButton);
    }
    QString path(const QString& name) const { return folder.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString gridCell(int row, int column) const
    {
        const QTableWidgetItem* item = app.main->window<frm_chann>()->MSF_chann->item(row, column);
        return item ? item->text() : QString();
    }
    int row(QListWidget* list, const QString& text) const
    {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text() == text)
                return i;
        return -1;
    }

    QTemporaryDir folder;
    TestApp app;
};

QStringList items(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// Which dialog, in which language, and the words it shows.
struct CaptionCase {
    bool save;
    bool chinese;
    QString caption;
    QString nameLabel;
    QString driveLabel;
    QString confirm;
    QString cancel;
};

void doubleClick(QListWidget* list, int row)
{
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

class TestChannDialogs : public QObject {
    Q_OBJECT
private slots:
    void captions_data()
    {
        addCases<CaptionCase>("dialog", {
            {"open, English", {false, false, "Open Channcle File", "Open File:", "Drive:", "Confirm", "Cancel"}},
            {"save, English", {true, false, "Save Channel File", "Save File:", "Drive:", "Confirm", "Cancel"}},
            {"open, Chinese", {false, true, "打开信道参数文件", "打开文件名：", "驱动器：", "确  定", "取  消"}},
            {"save, Chinese", {true, true, "保存信道参数文件", "保存文件名：", "驱动器：", "确  定", "取  消"}},
        });
    }
    void captions()
    {
        QFETCH(CaptionCase, dialog);
        Fixture f;
        if (dialog.chinese)
            f.app.main->Language_chn_Click();
        ParamFileDialog* d = f.open(dialog.save);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), dialog.caption);
        QCOMPARE(d->Label_name->text(), dialog.nameLabel);
        QCOMPARE(d->Label_drive->text(), dialog.driveLabel);
        QCOMPARE(d->Command_enter->text(), dialog.confirm);
        QCOMPARE(d->Command_close->text(), dialog.cancel);
        // Ready for typing: the name box has the focus with its text selected.
        QCOMPARE(d->Text1->text(), QStringLiteral("*.chann"));
        QCOMPARE(d->Text1->selectedText(), QStringLiteral("*.chann"));
        QCOMPARE(QApplication::focusWidget(), d->Text1);
        QCOMPARE(d->Drive1->itemText(0), QStringLiteral("/"));
        QCOMPARE(d->dirPath(), QDir(f.folder.path()).canonicalPath());
    }

    void refusedNames_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        for (const bool save : {false, true}) {
            const char* forbidden = save ? kSaveForbidden : kOpenForbidden;
            const char* suffix = save ? kSaveSuffix : kOpenSuffix;
            const char* which = save ? "save" : "open";
            QTest::addRow("%s: confirm without a name", which) << save << QString() << forbidden;
            QTest::addRow("%s: hash", which) << save << "my#file.chann" << forbidden;
            QTest::addRow("%s: star", which) << save << "a*.chann" << forbidden;
            QTest::addRow("%s: dollar", which) << save << "$x.chann" << forbidden;
            QTest::addRow("%s: backslash", which) << save << "a\\b.chann" << forbidden;
            QTest::addRow("%s: slash", which) << save << "../up.chann" << forbidden;
            QTest::addRow("%s: short suffix", which) << save << "backup.chan" << suffix;
            QTest::addRow("%s: mixed case", which) << save << "x.Chann" << suffix;
            QTest::addRow("%s: short name", which) << save << "a.ch" << suffix;
            QTest::addRow("%s: blanks only", which) << save << "   " << suffix;
        }
    }
    void refusedNames()
    {
        QFETCH(bool, save);
        QFETCH(QString, name);
        QFETCH(QString, message);
        Fixture f;
        ParamFileDialog* d = f.open(save);
        const RadioImageTable before = f.app.state.RadioImage;
        if (name.isNull())
            QTest::mouseClick(d->Command_enter, Qt::LeftButton);   // the name box still reads "*.chann"
        else
            f.confirm(d, name);
        QCOMPARE(f.app.prompt.texts(), QStringList{message});
        QCOMPARE(f.app.prompt.messages.first().title, QStringLiteral("Operate prompt"));
        QCOMPARE(f.dialog(save), d);   // still open, name as typed
        if (!name.isNull())
            QCOMPARE(d->Text1->text(), name);
        QVERIFY(f.app.state.RadioImage == before);
        QVERIFY(f.app.state.LastFilePath.empty());
        QCOMPARE(QDir(f.folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }

    void saveThenOpenBringsTheFactoryChannelBack()
    {
        Fixture f;
        const RadioImageTable factory = f.app.state.RadioImage;
        ParamFileDialog* save = f.open(true);
        save->Text1->selectAll();
        QTest::keyClicks(save->Text1, "factory.chann");
        QTest::keyClick(save->Text1, Qt::Key_Return);   // Enter is Confirm
        QCOMPARE(f.app.prompt.texts(), QStringList{kSaveDone});
        QVERIFY(!f.dialog(true));
        QCOMPARE(QString::fromStdString(f.app.state.LastFilePath), QDir(f.folder.path()).filePath("factory.chann"));
        QVERIFY(QFile::exists(f.path("factory.chann")));

        // Channel 1 changed, and the table shows the change.
        StoreFrequency(f.app.state, "470.5", 1, 0);
        f.app.main->window<frm_chann>()->Form_Activate();
        QCOMPARE(f.gridCell(1, 1), QStringLiteral("470.50000"));

        ParamFileDialog* open = f.open(false);
        QCOMPARE(items(open->File1), QStringList{"factory.chann"});
        doubleClick(open->File1, 0);
        QCOMPARE(f.app.prompt.lastText(), QString(kOpenDone));
        QVERIFY(!f.dialog(false));
        QVERIFY(f.app.state.RadioImage == factory);
        QCOMPARE(f.gridCell(1, 1), QStringLiteral("450.02500"));
    }

    void capitalSuffixIsAccepted()
    {
        Fixture f;
        f.confirm(f.open(true), "backup.CHANN");
        QCOMPARE(f.app.prompt.lastText(), QString(kSaveDone));
        QVERIFY(QFile::exists(f.path("backup.CHANN")));
        f.confirm(f.open(false), "backup.CHANN");
        QCOMPARE(f.app.prompt.lastText(), QString(kOpenDone));
    }

    void damagedFileIsRefusedAndTheDialogStays_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");
        ProgramState s;
        for (auto& line : s.RadioImage)
            line.fill(1);
        const QByteArray good = QByteArray::fromStdString(ChannFileText(s));
        QTest::newRow("not a number") << QByteArray(good).replace(good.indexOf(" 1 ", 300), 3, " x1 ") << "\"x1\"";
        QTest::newRow("ends early") << good.left(500) << "ends early";
        QTest::newRow("radio byte out of range") << QByteArray(good).replace(0, 3, " 999 ") << "999";
        QTest::newRow("too many numbers") << good + " 5 " << "5";
    }
    void damagedFileIsRefusedAndTheDialogStays()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        Fixture f;
        f.write("bad.chann", text);
        const RadioImageTable before = f.app.state.RadioImage;
        f.confirm(f.open(false), "bad.chann");
        QCOMPARE(f.app.prompt.messages.size(), 1);
        const QString shown = f.app.prompt.lastText();
        QVERIFY2(shown.contains(expected) && shown.contains("ine "), qPrintable(shown));
        QVERIFY(!f.app.prompt.messages.first().detail.isEmpty());
        QVERIFY(f.dialog(false));
        QVERIFY(f.app.state.RadioImage == before);
        QVERIFY(f.app.state.LastFilePath.empty());
    }

    void failedSaveIsReportedAndTheDialogStays()
    {
        Fixture f;
        QVERIFY(QDir(f.folder.path()).mkpath("taken.chann/inner"));
        ParamFileDialog* d = f.open(true);
        f.confirm(d, "taken.chann");
        QCOMPARE(f.app.prompt.messages.size(), 1);
        QVERIFY2(f.app.prompt.lastText().contains("directory", Qt::CaseInsensitive), qPrintable(f.app.prompt.lastText()));
        QVERIFY(f.dialog(true));
        QVERIFY(QDir(f.path("taken.chann/inner")).exists());
        QVERIFY(f.app.state.LastFilePath.empty());
    }

    // The file list shows no pipe, so the user types its name: the dialog
    // refuses it at once, naming it, and stays; the pipe is left a pipe.
    void aPipeIsRefusedAtOnce_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("expected");
        QTest::newRow("open, English") << false << false << " cannot be read: it is a named pipe, not a regular file.";
        QTest::newRow("open, Chinese") << false << true << "：这是命名管道，不是普通文件。";
        QTest::newRow("save, English") << true << false
                                       << " cannot be written: it is a named pipe, not a regular file; it was left as "
                                          "it is.";
        QTest::newRow("save, Chinese") << true << true << "：这是命名管道，不是普通文件；未作任何改动。";
    }
    void aPipeIsRefusedAtOnce()
    {
        QFETCH(bool, save);
        QFETCH(bool, chinese);
        QFETCH(QString, expected);
        Fixture f;
        QCOMPARE(::mkfifo(QFile::encodeName(f.path("pipe.chann")).constData(), 0600), 0);
        if (chinese)
            f.app.main->Language_chn_Click();
        const RadioImageTable before = f.app.state.RadioImage;
        ParamFileDialog* d = f.open(save);
        QCOMPARE(items(d->File1), QStringList());
        ::alarm(10);   // a load waiting on the pipe would never return
        f.confirm(d, "pipe.chann");
        ::alarm(0);
        QCOMPARE(f.app.prompt.messages.size(), 1);
        const QString shown = f.app.prompt.lastText();
        QVERIFY2(shown.contains(QDir(f.folder.path()).canonicalPath() + "/pipe.chann" + expected), qPrintable(shown));
        QVERIFY(f.dialog(save));
        QVERIFY(f.app.state.RadioImage == before);
        QVERIFY(f.app.state.LastFilePath.empty());
        QVERIFY(QFileInfo(f.path("pipe.chann")).exists() && !QFileInfo(f.path("pipe.chann")).isFile());
    }

    void savingOverAnExistingFileReplacesIt()
    {
        Fixture f;
        f.write("old.chann", "old");
        f.confirm(f.open(true), "old.chann");
        QCOMPARE(f.app.prompt.texts(), QStringList{kSaveDone});
        QFile file(f.path("old.chann"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray::fromStdString(ChannFileText(f.app.state)));
    }

    void foldersAreBrowsedFromTheKeyboard()
    {
        Fixture f;
        QVERIFY(QDir(f.folder.path()).mkpath("sub/deeper"));
        f.write("top.chann", "");
        f.write("sub/inner.chann", "");
        f.write("sub/Mixed.Chann", "");
        f.write("sub/CAPS.CHANN", "");
        f.write("sub/notes.txt", "");
        ParamFileDialog* d = f.open(false);
        const QString top = d->dirPath();
        QCOMPARE(items(d->File1), QStringList{"top.chann"});
        QVERIFY(items(d->Dir1).contains("sub"));

        d->Dir1->setFocus();
        d->Dir1->setCurrentRow(f.row(d->Dir1, "sub"));
        QTest::keyClick(d->Dir1, Qt::Key_Return);   // enters, does not confirm
        QVERIFY(f.app.prompt.messages.isEmpty());
        QCOMPARE(d->dirPath(), top + "/sub");
        QCOMPARE(d->Label_path->text(), top + "/sub");
        QCOMPARE(items(d->File1), (QStringList{"CAPS.CHANN", "inner.chann"}));
        QCOMPARE(items(d->Dir1), (QStringList{"..", "deeper"}));

        // A click on a file puts its name into the name box.
        QTest::mouseClick(d->File1->viewport(), Qt::LeftButton, {},
                          d->File1->visualItemRect(d->File1->item(1)).center());
        QCOMPARE(d->Text1->text(), QStringLiteral("inner.chann"));

        d->Dir1->setFocus();
        QTest::keyClick(d->Dir1, Qt::Key_Backspace);   // one folder up
        QCOMPARE(d->dirPath(), top);
        d->Dir1->setCurrentRow(f.row(d->Dir1, "sub"));
        doubleClick(d->Dir1, d->Dir1->currentRow());
        QCOMPARE(d->dirPath(), top + "/sub");
        d->Dir1->setCurrentRow(0);
        QTest::keyClick(d->Dir1, Qt::Key_Enter);   // ".." goes up
        QCOMPARE(d->dirPath(), top);
    }

    void enterOnAFileConfirmsIt()
    {
        Fixture f;
        ProgramState other = f.app.state;
        other.RadioImage[3][2] = 0x42;
        QVERIFY(!SaveChannFile(other, f.path("pick.chann").toStdString()));
        ParamFileDialog* d = f.open(false);
        d->File1->setFocus();
        d->File1->setCurrentRow(0);
        QTest::keyClick(d->File1, Qt::Key_Return);
        QCOMPARE(f.app.prompt.texts(), QStringList{kOpenDone});
        QCOMPARE(f.app.state.RadioImage[3][2], int16_t(0x42));
    }

    void tabbingIntoTheFilesKeepsTheTypedName_data() { bothWays("save", "open", "save"); }
    void tabbingIntoTheFilesKeepsTheTypedName()
    {
        // Only moving from file to file picks a file; Tab on its way through
        // the dialog does not (a save would go over the first file listed).
        QFETCH(bool, save);
        Fixture f;
        f.write("a.chann", "a");
        f.write("b.chann", "b");
        ParamFileDialog* d = f.open(save);
        d->Text1->selectAll();
        QTest::keyClicks(d->Text1, "typed.chann");
        QTest::keyClick(d->Text1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), d->File1);
        QCOMPARE(d->Text1->text(), QStringLiteral("typed.chann"));
        QTest::keyClick(d->File1, Qt::Key_Down);
        QCOMPARE(d->Text1->text(), QStringLiteral("b.chann"));
    }

    void escapeCancels_data() { bothWays("save", "open", "save"); }
    void escapeCancels()
    {
        QFETCH(bool, save);
        Fixture f;
        ParamFileDialog* d = f.open(save);
        QTest::keyClicks(d->Text1, "typed.chann");
        QTest::keyClick(d->Text1, Qt::Key_Escape);
        QVERIFY(!f.dialog(save));
        QVERIFY(f.app.prompt.messages.isEmpty());
        QVERIFY(!QFile::exists(f.path("typed.chann")));
    }

    void enterOnCancelCancels_data() { bothWays("save", "open", "save"); }
    void enterOnCancelCancels()
    {
        // A user who tabs to Cancel and presses Enter must not get the file
        // written (or loaded over the channels).
        QFETCH(bool, save);
        Fixture f;
        ProgramState other = f.app.state;
        other.RadioImage[3][2] = 0x42;
        QVERIFY(!SaveChannFile(other, f.path("kept.chann").toStdString()));
        const QByteArray kept = QByteArray::fromStdString(ChannFileText(other));
        const RadioImageTable before = f.app.state.RadioImage;
        ParamFileDialog* d = f.open(save);
        d->Text1->selectAll();
        QTest::keyClicks(d->Text1, "kept.chann");
        d->Command_close->setFocus();
        QCOMPARE(QApplication::focusWidget(), d->Command_close);
        QTest::keyClick(d->Command_close, Qt::Key_Return);
        QVERIFY(!f.dialog(save));
        QVERIFY(f.app.prompt.messages.isEmpty());
        QVERIFY(f.app.state.RadioImage == before);
        QFile file(f.path("kept.chann"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), kept);
    }

    void openingAgainStartsFresh()
    {
        Fixture f;
        ParamFileDialog* first = f.open(false);
        QTest::keyClicks(first->Text1, "half");
        ParamFileDialog* second = f.open(false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(second);
        QCOMPARE(second->Text1->text(), QStringLiteral("*.chann"));
        QCOMPARE(f.app.main->findChildren<Form_open_chann*>().size(), 1);
        // Save As opens the same dialog as Save.
        f.app.main->File_saveas_Click();
        QVERIFY(f.dialog(true));
        QCOMPARE(f.dialog(true)->windowTitle(), QStringLiteral("Save Channel File"));
    }

    void startsAtHomeWhenTheCurrentFolderIsTheRoot()
    {
        Fixture f;
        QDir::setCurrent("/");
        ParamFileDialog* d = f.open(true);
        QCOMPARE(d->dirPath(), QDir::cleanPath(QDir::homePath()));
    }

    void closingTheTableClosesTheFileDialogs()
    {
        Fixture f;
        f.open(false);
        f.open(true);
        f.app.main->window<frm_chann>()->Command_close_Click();
        QVERIFY(!f.dialog(false));
        QVERIFY(!f.dialog(true));
    }
};

QTEST_MAIN(TestChannDialogs)
#include "tst_channdialogs.moc"
