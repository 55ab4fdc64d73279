// The read and write dialogs, driven through the main window like a user.

#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "RadioBench.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "model/RadioDefaults.h"
#include "support/BothWays.h"

using namespace mx615;
using namespace mx615::test;

namespace {

using Bench = RadioBench;

template <class W>
W* openDialog(Bench& b)
{
    if constexpr (std::is_same_v<W, Form_Comm_Read>)
        b.app.main->Prog_read_Click();
    else
        b.app.main->Prog_write_Click();
    return b.app.main->window<W>();
}

QPushButton* button(QWidget* w, const char* name)
{
    return w->findChild<QPushButton*>(name);
}

// How many identification requests reached the radio.
int identRequests(const Bench& b)
{
    const auto code = AccessCode();
    const std::vector<uint8_t>& heard = b.radio.received;
    int count = 0;
    for (std::size_t i = 0; i + code.size() <= heard.size(); ++i)
        count += std::equal(code.begin(), code.end(), heard.begin() + long(i));
    return count;
}

QString label(QWidget* w)
{
    return w->findChild<QLabel*>("Label_tr_count")->text();
}

int progress(QWidget* w)
{
    return w->findChild<QProgressBar*>("ProgressBar1")->value();
}

}  // namespace

class TestCommDialogs : public QObject {
    Q_OBJECT
private slots:
    void captions_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("read en") << false << false << "Read Data From Radio" << "Read" << "Cancel";
        QTest::newRow("read zh") << false << true << "从对讲机读取数据" << "读取" << "取消";
        QTest::newRow("write en") << true << false << "Write Data to Radio" << "Write" << "Cancel";
        QTest::newRow("write zh") << true << true << "写数据到对讲机" << "写入" << "取消";
    }
    void captions()
    {
        QFETCH(bool, write);
        QFETCH(bool, chinese);
        QFETCH(QString, caption);
        QFETCH(QString, start);
        QFETCH(QString, cancel);
        Bench b;
        b.app.state.UiChinese = chinese;
        QWidget* w = write ? static_cast<QWidget*>(openDialog<Form_Comm_Write>(b))
                           : static_cast<QWidget*>(openDialog<Form_Comm_Read>(b));
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), caption);
        QCOMPARE(button(w, write ? "Command_write" : "Command_read")->text(), start);
        QCOMPARE(button(w, "Command_Cancel")->text(), cancel);
        QVERIFY(button(w, "Command_Help"));
        // Placed from the main window's size; the port stays closed until Read.
        const QRect frame = w->parentWidget()->geometry();
        const int width = int(b.app.main->width() / 1.55), height = int(b.app.main->height() / 2.8);
        QCOMPARE(frame.size(), QSize(width, height));
        QCOMPARE(frame.topLeft(), QPoint((b.app.main->width() - width) / 2, (b.app.main->height() - height) / 4));
        QCOMPARE(b.app.hub.openCount(2), 0);
        // The port in use and the device it stands for; a frame that cannot
        // be resized offers no minimise or maximise.
        QCOMPARE(w->findChild<QLabel*>("Label_port")->text(), QString("COM2 — memory line 2"));
        const Qt::WindowFlags flags = w->parentWidget()->windowFlags();
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
    }

    void toolbarKeysOpenTheDialogs()
    {
        Bench b;
        b.app.main->Toolbar1_ButtonClick("read");
        QVERIFY(b.app.main->window<Form_Comm_Read>());
        b.app.main->Toolbar1_ButtonClick("write");
        QVERIFY(b.app.main->window<Form_Comm_Write>());
    }

    void readThroughTheDialog()
    {
        Bench b;
        auto* w = openDialog<Form_Comm_Read>(b);
        int progressAtMessage = -1;
        QString labelAtMessage;
        b.app.prompt.onMessage = [&](const PromptRecorder::Message&) {
            progressAtMessage = progress(w);
            labelAtMessage = label(w);
        };
        QTest::mouseClick(w->Command_read, Qt::LeftButton);
        QCOMPARE(label(w), QString("Connecting with transceiver. "));
        QVERIFY(b.app.clock.runUntil([&] { return !b.app.prompt.messages.isEmpty(); }, 5000));
        QCOMPARE(b.app.prompt.lastText(), QString("Complete reading the data from transceiver."));
        QCOMPARE(b.app.prompt.messages[0].title, QString("Operate Prompt"));
        QCOMPARE(progressAtMessage, 100);
        QCOMPARE(labelAtMessage, QString("Read Data in gear. "));
        const qint64 closedBox = b.app.clock.now();
        QVERIFY(b.app.clock.runUntil([&] { return !b.app.main->window<Form_Comm_Read>(); }, 1000));
        QVERIFY(b.app.clock.now() - closedBox <= 200);
        for (int a = 0; a < 1024; ++a)
            QCOMPARE(b.app.state.byteAt(a), int(b.radio.radio.memory[a]));
    }

    void writeThroughTheDialog()
    {
        Bench b;
        auto* w = openDialog<Form_Comm_Write>(b);
        QString labelAtMessage;
        b.app.prompt.onMessage = [&](const PromptRecorder::Message&) { labelAtMessage = label(w); };
        QTest::mouseClick(w->Command_write, Qt::LeftButton);
        QVERIFY(b.app.clock.runUntil([&] { return !b.app.prompt.messages.isEmpty(); }, 5000));
        QCOMPARE(b.app.prompt.lastText(), QString("Complete writing Data to the transceiver."));
        QCOMPARE(labelAtMessage, QString("Writing  47  Data Block"));
        QCOMPARE(label(w), QString("Complete writing Data "));
        QCOMPARE(progress(w), 100);
        const qint64 done = b.app.clock.now();
        QVERIFY(b.app.clock.runUntil([&] { return !b.app.main->window<Form_Comm_Write>(); }, 2000));
        QCOMPARE(b.app.clock.now() - done, 500);
        for (int a = 0; a < 0x310; ++a)
            QCOMPARE(int(b.radio.radio.memory[a]), b.app.state.byteAt(a));
    }

    void keyboardStartsAndCancels()
    {
        Bench b;
        b.app.main->show();
        QApplication::setActiveWindow(b.app.main.get());
        auto* w = openDialog<Form_Comm_Read>(b);
        // The start button has the focus, so Enter starts the transfer.
        QCOMPARE(QApplication::focusWidget(), w->Command_read);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(b.app.hub.isOpen(2));
        QVERIFY(w->link()->transferActive());
        QTest::keyClick(w->Command_read, Qt::Key_Escape);
        QCOMPARE(b.app.prompt.lastText(), QString("Read-write operating，don't close the window. ,"));
        QVERIFY(b.app.main->window<Form_Comm_Read>());
    }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<bool>("stays");
        QTest::newRow("Read") << "Command_read" << true << true;
        QTest::newRow("Cancel") << "Command_Cancel" << false << false;
        QTest::newRow("Help") << "Command_Help" << false << true;
    }
    void enterPressesTheFocusedButton()
    {
        // Tabbing to Cancel and pressing Enter must cancel, not start a transfer.
        QFETCH(QString, focused);
        QFETCH(bool, starts);
        QFETCH(bool, stays);
        Bench b;
        b.app.main->show();
        QApplication::setActiveWindow(b.app.main.get());
        auto* w = openDialog<Form_Comm_Read>(b);
        QPushButton* target = button(w, qPrintable(focused));
        target->setFocus();
        QCOMPARE(QApplication::focusWidget(), target);
        QTest::keyClick(target, Qt::Key_Return);
        QCOMPARE(b.app.hub.openCount(2), starts ? 1 : 0);
        QCOMPARE(b.app.main->window<Form_Comm_Read>() != nullptr, stays);
        QVERIFY(b.app.prompt.messages.isEmpty());
    }

    void closingWhileTransferring_data() { bothWays("titleBar", "Cancel button", "title-bar close"); }
    void closingWhileTransferring()
    {
        QFETCH(bool, titleBar);
        Bench b;
        auto* w = openDialog<Form_Comm_Read>(b);
        QTest::mouseClick(w->Command_read, Qt::LeftButton);
        QVERIFY(b.app.clock.runUntil([&] { return b.radio.radio.readRequests == 4; }, 2000));
        if (titleBar)
            static_cast<QMdiSubWindow*>(w->parentWidget())->close();
        else
            QTest::mouseClick(w->Command_Cancel, Qt::LeftButton);
        QCOMPARE(b.app.prompt.texts(), QStringList{"Read-write operating，don't close the window. ,"});
        QCOMPARE(b.app.prompt.messages[0].title, QString("Operate prompt"));
        QCOMPARE(b.app.main->window<Form_Comm_Read>(), w);
        // The transfer goes on undisturbed.
        QVERIFY(b.app.clock.runUntil([&] { return !b.app.main->window<Form_Comm_Read>(); }, 5000));
        QCOMPARE(b.app.prompt.messages.size(), 2);
    }

    void cancelBetweenAttempts_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<bool>("titleBar");
        QTest::newRow("read, Cancel") << false << false;
        QTest::newRow("read, title-bar close") << false << true;
        QTest::newRow("write, Cancel") << true << false;
    }
    void cancelBetweenAttempts()
    {
        // A radio that never answers: Cancel is refused while the request
        // waits for its reply, and closes the dialog in the pause before the
        // restart, which then never comes.
        QFETCH(bool, write);
        QFETCH(bool, titleBar);
        Bench b;
        b.radio.radio.misbehave.silent = true;
        b.radio.radio.misbehave.attempts = 0;
        CommDialog* w = write ? static_cast<CommDialog*>(openDialog<Form_Comm_Write>(b))
                              : static_cast<CommDialog*>(openDialog<Form_Comm_Read>(b));
        QTest::mouseClick(button(w, write ? "Command_write" : "Command_read"), Qt::LeftButton);
        auto cancel = [&] {
            if (titleBar)
                static_cast<QMdiSubWindow*>(w->parentWidget())->close();
            else
                QTest::mouseClick(w->Command_Cancel, Qt::LeftButton);
        };
        auto open = [&] { return write ? static_cast<QWidget*>(b.app.main->window<Form_Comm_Write>())
                                       : static_cast<QWidget*>(b.app.main->window<Form_Comm_Read>()); };

        b.app.clock.advance(500);  // the first request waits for its reply
        QCOMPARE(identRequests(b), 1);
        cancel();
        QCOMPARE(b.app.prompt.texts(), QStringList{"Read-write operating，don't close the window. ,"});
        QCOMPARE(open(), w);

        b.app.clock.advance(1000);  // the reply timed out; the restart is pending
        QVERIFY(w->link()->restartPending());
        cancel();
        QCOMPARE(b.app.prompt.messages.size(), 1);
        QVERIFY(!open());
        QVERIFY(!b.app.hub.isOpen(2));
        b.app.clock.advance(10000);
        QCOMPARE(identRequests(b), 1);
        QCOMPARE(b.app.prompt.messages.size(), 1);
    }

    void cancelAfterFailureCloses()
    {
        Bench b;
        b.radio.radio.misbehave.silent = true;
        b.radio.radio.misbehave.attempts = 0;
        auto* w = openDialog<Form_Comm_Write>(b);
        QTest::mouseClick(w->Command_write, Qt::LeftButton);
        QVERIFY(b.app.clock.runUntil([&] { return !b.app.prompt.messages.isEmpty(); }, 20000));
        QCOMPARE(b.app.prompt.lastText(), QString("Fail connect with transceiver."));
        QCOMPARE(label(w), QString("Communication fault."));
        QCOMPARE(progress(w), 0);
        QVERIFY(b.app.main->window<Form_Comm_Write>());  // stays for another try
        QTest::mouseClick(w->Command_Cancel, Qt::LeftButton);
        QVERIFY(!b.app.main->window<Form_Comm_Write>());
        QCOMPARE(b.app.prompt.messages.size(), 1);
    }

    void portErrorOncePerClickLabelKept()
    {
        Bench b;
        b.app.state.CommPort = 6;  // no such port
        auto* w = openDialog<Form_Comm_Read>(b);
        for (int click = 1; click <= 2; ++click) {
            QTest::mouseClick(w->Command_read, Qt::LeftButton);
            b.app.clock.advance(3000);
            QCOMPARE(b.app.prompt.messages.size(), click);
        }
        QCOMPARE(b.app.prompt.lastText(),
                 QString("Communication port is error, please setting right communication port . ！"));
        QVERIFY(b.app.prompt.messages.last().detail.contains("COM6"));
        QCOMPARE(label(w), QString());
        QVERIFY(b.app.state.PortOpenFailed);
    }

    void reopeningDiscardsTheRunningTransfer()
    {
        Bench b;
        FillStartupImage(b.app.state);
        const RadioImageTable before = b.app.state.RadioImage;
        auto* first = openDialog<Form_Comm_Read>(b);
        QTest::mouseClick(first->Command_read, Qt::LeftButton);
        QVERIFY(b.app.clock.runUntil([&] { return b.radio.radio.readRequests == 8; }, 2000));
        auto* second = openDialog<Form_Comm_Read>(b);
        QVERIFY(second != first);
        QVERIFY(!b.app.hub.isOpen(2));
        const std::size_t heard = b.radio.received.size();
        b.app.clock.advance(10000);
        QCOMPARE(b.radio.received.size(), heard);
        QVERIFY(b.app.prompt.messages.isEmpty());
        QVERIFY(b.app.state.RadioImage == before);
        QCOMPARE(label(second), QString());
        // The fresh dialog reads normally.
        QTest::mouseClick(second->Command_read, Qt::LeftButton);
        QVERIFY(b.app.clock.runUntil([&] { return !b.app.main->window<Form_Comm_Read>(); }, 5000));
    }

    void readAndWriteDialogsShareOnePort()
    {
        Bench b;
        auto* reader = openDialog<Form_Comm_Read>(b);
        auto* writer = openDialog<Form_Comm_Write>(b);
        QTest::mouseClick(reader->Command_read, Qt::LeftButton);
        QTest::mouseClick(writer->Command_write, Qt::LeftButton);
        QCOMPARE(b.app.prompt.texts(),
                 QStringList{"Communication port is error, please setting right communication port . ！"});
        QVERIFY(b.app.clock.runUntil([&] { return !b.app.main->window<Form_Comm_Read>(); }, 5000));
    }

    void hangUpReportedOnceDialogIdle()
    {
        Bench b;
        b.radio.radio.misbehave.hangUpAfter = 3;
        auto* w = openDialog<Form_Comm_Read>(b);
        QTest::mouseClick(w->Command_read, Qt::LeftButton);
        b.app.clock.advance(15000);
        QCOMPARE(b.app.prompt.texts(), QStringList{"The connection to the transceiver was lost during the transfer."});
        QCOMPARE(label(w), QString("Communication fault."));
        QVERIFY(!w->link()->transferActive());
        QTest::mouseClick(w->Command_Cancel, Qt::LeftButton);
        QVERIFY(!b.app.main->window<Form_Comm_Read>());
    }
};

QTEST_MAIN(TestCommDialogs)
#include "tst_commdialogs.moc"
