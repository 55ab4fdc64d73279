// The key, scan and message windows, opened through their menu items and
// driven by keys: what they show for stored bytes and what they store.

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>

#include "FeatureWindowDriver.h"
#include "features/Form_Edit_Message.h"
#include "features/Form_Edit_scan.h"
#include "features/Form_edit_Key.h"

using namespace mx615;
using namespace mx615::test;

namespace {

void pressKey(QComboBox* list, Qt::Key key, int times)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(list, key);
}

}  // namespace

class TestFeatureWindows : public QObject {
    Q_OBJECT
private slots:
    // ---- Key assignment ----
    // Shown codes are stored back normalised: 1 as Autodial (0), 12..254 as None (255).
    void keysShown()
    {
        FeatureWindowDriver<Form_edit_Key> d("key_edit");
        d.app.state.setByteAt(kPf1Address, 1);
        d.app.state.setByteAt(kPf2Address, 12);
        d.reopen();
        QCOMPARE(d.win->Combo_pf1->currentText(), QStringLiteral("Autodial"));
        QCOMPARE(d.win->Combo_pf2->currentText(), QStringLiteral("None"));
        QCOMPARE(d.byte(kPf1Address), 0);
        QCOMPARE(d.byte(kPf2Address), 255);
    }

    void keyChosen_data()
    {
        QTest::addColumn<QString>("typed");   // "up" / "down" for the arrows
        QTest::addColumn<QString>("shows");
        QTest::addColumn<int>("code");
        QTest::newRow("down from Squelch Off Momentary") << "down" << "Temporary Delete" << 11;
        QTest::newRow("up") << "up" << "Squelch Off" << 9;
        QTest::newRow("typed nonsense is None") << "zz" << "None" << 255;
    }
    void keyChosen()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shows);
        QFETCH(int, code);
        FeatureWindowDriver<Form_edit_Key> d("key_edit");
        // A value that reaches PF1 while the window is open is left alone by
        // a choice for PF2.
        d.app.state.setByteAt(kPf1Address, 5);
        QComboBox* pf2 = d.win->Combo_pf2;
        pf2->setFocus();
        if (typed == "up" || typed == "down")
            QTest::keyClick(pf2, typed == "up" ? Qt::Key_Up : Qt::Key_Down);
        else
            FeatureWindowDriver<Form_edit_Key>::typeOver(pf2, typed);
        QCOMPARE(pf2->currentText(), shows);
        QCOMPARE(d.byte(kPf2Address), code);
        QCOMPARE(d.byte(kPf1Address), 5);
    }

    // ---- Scan information ----
    void lookBack_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("downs");
        QTest::addColumn<QString>("shows");
        QTest::addColumn<int>("after");
        QTest::newRow("1 is 0.50, stored as 0") << 1 << 0 << "0.50" << 0;
        QTest::newRow("0.55 stores 2") << 0 << 1 << "0.55" << 2;
        QTest::newRow("120 is 5.00, stored as 91") << 120 << 0 << "5.00" << 91;
    }
    void lookBack()
    {
        QFETCH(int, stored);
        QFETCH(int, downs);
        QFETCH(QString, shows);
        QFETCH(int, after);
        FeatureWindowDriver<Form_Edit_scan> d("Scan_edit");
        d.app.state.setByteAt(ScanAddress::PriorityMode, int(PriorityMode::Fixed));
        d.app.state.setByteAt(ScanAddress::LookBackB, stored);
        d.reopen();
        pressKey(d.win->Combo_BB, Qt::Key_Down, downs);
        QCOMPARE(d.win->Combo_BB->currentText(), shows);
        QCOMPARE(d.byte(ScanAddress::LookBackB), after);
    }

    // The revert list is rebuilt for the new priority mode and its choice
    // stored in that mode's code; the mode opens and closes the other fields.
    void priorityMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("revert");
        QTest::addColumn<int>("steps");   // arrow presses on the mode list, - = up
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("shows");
        QTest::addColumn<int>("code");
        const QStringList none{"Selected", "Selected+Talk Back"};
        const QStringList fixed{"Selected", "Selected+Talk Back", "Priority", "Priority+Talk Back"};
        const QStringList selected{"Priority", "Priority+Talk Back"};
        QTest::newRow("Fixed/Selected to Selected") << 1 << 0 << 1 << false << selected << "Priority" << 2;
        QTest::newRow("Selected/3 to None") << 2 << 3 << -2 << false << none << "Selected+Talk Back" << 1;
        QTest::newRow("None/1 to Fixed") << 0 << 1 << 1 << false << fixed << "Selected+Talk Back" << 1;
        QTest::newRow("Selected/2 to Fixed") << 2 << 2 << -1 << false << fixed << "Priority" << 2;
        QTest::newRow("Selected/3 stays, in Chinese")
            << 2 << 3 << 0 << true << QStringList{"优先", "优先+当前通话"} << "优先+当前通话" << 3;
    }
    void priorityMode()
    {
        QFETCH(int, mode);
        QFETCH(int, revert);
        QFETCH(int, steps);
        QFETCH(bool, chinese);
        QFETCH(QStringList, entries);
        QFETCH(QString, shows);
        QFETCH(int, code);
        FeatureWindowDriver<Form_Edit_scan> d("Scan_edit", chinese);
        d.app.state.setByteAt(ScanAddress::PriorityMode, mode);
        d.app.state.setByteAt(ScanAddress::Revert, revert);
        d.reopen();
        Form_Edit_scan* w = d.win;
        pressKey(w->Combo_pri, steps < 0 ? Qt::Key_Up : Qt::Key_Down, std::abs(steps));
        const int now = mode + steps;
        QCOMPARE(d.byte(ScanAddress::PriorityMode), now);
        QStringList listed;
        for (int i = 0; i < w->Combo_BC->count(); ++i)
            listed << w->Combo_BC->itemText(i);
        QCOMPARE(listed, entries);
        QCOMPARE(w->Combo_BC->currentText(), shows);
        QCOMPARE(d.byte(ScanAddress::Revert), code);
        QCOMPARE(looksOpen(w->Text_prich), now == int(PriorityMode::Fixed));
        QCOMPARE(looksOpen(w->Combo_BA), now != int(PriorityMode::None));
        QCOMPARE(looksOpen(w->Combo_BB), now != int(PriorityMode::None));
        QVERIFY(w->Combo_RYC->isEnabled() && w->Combo_TYC->isEnabled());
    }

    void delays_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shows");
        QTest::addColumn<int>("seconds");
        QTest::newRow("300 typed") << 3 << 0 << "300" << "300" << 300;
        QTest::newRow("301 typed is the first entry") << 3 << 0 << "301" << "0" << 0;
        QTest::newRow("negative high byte shows 300") << 5 << 200 << "" << "300" << 300;
    }
    void delays()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(QString, typed);
        QFETCH(QString, shows);
        QFETCH(int, seconds);
        FeatureWindowDriver<Form_Edit_scan> d("Scan_edit");
        d.app.state.setByteAt(ScanAddress::DwellLow, low);
        d.app.state.setByteAt(ScanAddress::DwellHigh, high);
        d.reopen();
        if (!typed.isEmpty())
            FeatureWindowDriver<Form_Edit_scan>::typeOver(d.win->Combo_TYC, typed);
        QCOMPARE(d.win->Combo_TYC->currentText(), shows);
        QCOMPARE(d.byte(ScanAddress::DwellLow), seconds % 256);
        QCOMPARE(d.byte(ScanAddress::DwellHigh), seconds / 256);
        QCOMPARE(d.byte(ScanAddress::DropoutLow), 3);   // the other value is not touched
    }

    // In Fixed mode the channel is checked as typed: 1 is stored, 17 warns
    // once and empties the box, the last good channel stays stored; the
    // stored channel survives the other modes.
    void priorityChannel()
    {
        FeatureWindowDriver<Form_Edit_scan> d("Scan_edit");
        Form_Edit_scan* w = d.win;
        QTest::keyClick(w->Combo_pri, Qt::Key_Down);   // Fixed
        QLineEdit* box = w->Text_prich;
        box->setFocus();
        QTest::keyClicks(box, "1x");
        QCOMPARE(box->text(), QStringLiteral("1"));
        QCOMPARE(d.byte(ScanAddress::PriorityChannel), 1);
        QTest::keyClick(box, '7');
        QCOMPARE(d.app.prompt.texts(), QStringList{"Priority channel must be between 1 and 16."});
        QCOMPARE(d.app.prompt.messages.value(0).title, QStringLiteral("Operate prompt"));
        QCOMPARE(box->text(), QString());
        QCOMPARE(d.byte(ScanAddress::PriorityChannel), 1);

        QTest::keyClicks(box, "168");   // a third digit is refused
        QCOMPARE(box->text(), QStringLiteral("16"));
        QCOMPARE(d.byte(ScanAddress::PriorityChannel), 16);
        d.app.prompt.clear();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Delete);   // emptied: warned of once more
        QCOMPARE(d.app.prompt.messages.size(), 1);
        QCOMPARE(d.byte(ScanAddress::PriorityChannel), 16);

        QTest::keyClick(w->Combo_pri, Qt::Key_Up);   // None empties and closes the box
        QCOMPARE(box->text(), QString());
        QCOMPARE(d.byte(ScanAddress::PriorityChannel), 16);
        QTest::keyClick(w->Combo_pri, Qt::Key_Down);
        QCOMPARE(box->text(), QStringLiteral("16"));
        QCOMPARE(d.app.prompt.messages.size(), 1);
    }

    // A paste reaches the check whole, however long: a channel out of range
    // warns and empties the box, and the last good channel stays stored.
    void priorityChannelPasted_data()
    {
        QTest::addColumn<bool>("appended");   // pasted after the shown text, or over it
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("stored");
        QTest::newRow("123 over 5") << false << "123" << "" << 5;
        QTest::newRow("169 over 5") << false << "169" << "" << 5;
        QTest::newRow("23 after 5, making 523") << true << "23" << "" << 5;
        QTest::newRow("12 over 5 is stored") << false << "12" << "12" << 12;
    }
    void priorityChannelPasted()
    {
        QFETCH(bool, appended);
        QFETCH(QString, pasted);
        FeatureWindowDriver<Form_Edit_scan> d("Scan_edit");
        d.app.state.setByteAt(ScanAddress::PriorityMode, int(PriorityMode::Fixed));
        d.app.state.setByteAt(ScanAddress::PriorityChannel, 5);
        d.reopen();
        QLineEdit* box = d.win->Text_prich;
        QCOMPARE(box->text(), QStringLiteral("5"));
        box->setFocus();
        QTest::keyClick(box, appended ? Qt::Key_End : Qt::Key_A, appended ? Qt::NoModifier : Qt::ControlModifier);
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTEST(box->text(), "box");
        QTEST(d.byte(ScanAddress::PriorityChannel), "stored");
        const QStringList warning{"Priority channel must be between 1 and 16."};
        QCOMPARE(d.app.prompt.texts(), box->text().isEmpty() ? warning : QStringList());
    }

    // ---- Embedded message ----
    // The stored message follows the box at every change, 32 characters at
    // most, one-byte characters only.
    void message_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("script");   // typeScript's keys
        QTest::addColumn<QString>("box");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("HELLO, every key at once") << 0 << "HELLO" << "HELLO" << QByteArray("HELLO");
        QTest::newRow("second message") << 1 << "Hi!" << "Hi!" << QByteArray("Hi!");
        QTest::newRow("inner blank stored") << 0 << "A B" << "A B" << QByteArray("A B");
        QTest::newRow("Delete is stored") << 0 << "ABC^~" << "BC" << QByteArray("BC");
        QTest::newRow("outside the code page refused") << 0 << "A中é" << "Aé" << QByteArray("A\xE9");
        const QString many = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyz");
        QTest::newRow("33rd key refused") << 1 << many << many.left(32) << many.left(32).toLatin1();
    }
    void message()
    {
        QFETCH(int, which);
        QFETCH(QString, script);
        QFETCH(QString, box);
        QFETCH(QByteArray, stored);
        FeatureWindowDriver<Form_Edit_Message> d("Message_edit");
        const Message m = which == 0 ? Message::First : Message::Second;
        QLineEdit* text = d.win->box(m);
        text->setFocus();
        typeScript(text, script);
        QCOMPARE(text->text(), box);
        const QByteArray lines = imageBytes(d.app.state, FirstLine(m)) + imageBytes(d.app.state, FirstLine(m) + 1);
        QCOMPARE(lines, stored + QByteArray(32 - stored.size(), char(0xFF)));
        const int other = FirstLine(m == Message::First ? Message::Second : Message::First);
        QCOMPARE(imageBytes(d.app.state, other), QByteArray(16, char(0xFF)));
    }

    // Shown again, codes 33..127 only: the inner blank stays stored but is
    // not shown. A paste is cut to 32 characters and to the code page.
    void messageShownAndPasted()
    {
        FeatureWindowDriver<Form_Edit_Message> d("Message_edit");
        typeScript(d.win->Text_MS1, "A B");
        d.reopen();
        QCOMPARE(d.win->Text_MS1->text(), QStringLiteral("AB"));
        QCOMPARE(imageBytes(d.app.state, 48, 0, 3), QByteArray("A B"));

        QGuiApplication::clipboard()->setText(QStringLiteral("中x") + QString(40, QLatin1Char('y')));
        d.win->Text_MS2->setFocus();
        QTest::keyClick(d.win->Text_MS2, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(d.win->Text_MS2->text(), QStringLiteral("x") + QString(31, QLatin1Char('y')));
        QCOMPARE(imageBytes(d.app.state, 50, 0, 2), QByteArray("xy"));
        QCOMPARE(imageBytes(d.app.state, 51), QByteArray(16, 'y'));
    }
};

QTEST_MAIN(TestFeatureWindows)
#include "tst_feature_windows.moc"
