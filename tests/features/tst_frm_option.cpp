// The optional-features window driven through its controls: what it shows for
// stored bytes and what every change leaves in the image.

#include <QClipboard>
#include <QGuiApplication>
#include <QGroupBox>

#include "FeatureWindowDriver.h"
#include "support/CaseRows.h"
#include "features/OptionRecord.h"
#include "features/frm_option.h"

using namespace mx615;
using namespace mx615::test;

namespace {

using Driver = FeatureWindowDriver<frm_option>;

// A byte as stored, the control that shows it, what that shows ("checked" or
// "unchecked" for a box) and the byte once shown.
struct ShownCase {
    int address;
    int stored;
    QString control;
    QString shows;
    int after;
};

QString shown(QWidget* control)
{
    if (auto* list = qobject_cast<QComboBox*>(control))
        return list->currentText();
    if (auto* box = qobject_cast<QCheckBox*>(control))
        return box->isChecked() ? "checked" : "unchecked";
    return qobject_cast<QLineEdit*>(control)->text();
}

QByteArray dtmfBytes(const QByteArray& text)
{
    return text + QByteArray(16 - text.size(), char(0xFF));
}

}  // namespace

class TestFrmOption : public QObject {
    Q_OBJECT
private slots:
    // Showing a stored value stores what is shown: out-of-range codes become
    // the nearest entry, a non-zero check byte becomes 1.
    void normalisedOnShow_data()
    {
        addCases<ShownCase>("option", {
            {"TOT 0 is 15 s", {0x130, 0, "Combo_TOT", "15", 1}},
            {"TOT 41 is 600 s", {0x130, 41, "Combo_TOT", "600", 40}},
            {"squelch 12 is 9", {0x134, 12, "Combo_Sql", "9", 9}},
            {"voice 7 is English", {0x137, 7, "Combo_Voice", "English", 2}},
            {"PTT ID 3 is Both", {0x132, 3, "Combo_PTT_ID", "Both", 2}},
            {"VOX delay 9 is 3 s", {0x13B, 9, "Combo_VOX_t", "3", 5}},
            {"beep 5 is checked", {0x136, 5, "Check_Beep", "checked", 1}},
            {"clone 0 stays off", {0x13E, 0, "Check_Clone", "unchecked", 0}},
        });
    }
    void normalisedOnShow()
    {
        QFETCH(ShownCase, option);
        const auto& [address, stored, control, shows, after] = option;
        Driver d("Optional_edit");
        d.app.state.setByteAt(address, stored);
        d.reopen();
        QCOMPARE(shown(d.control<QWidget>(control)), shows);
        QCOMPARE(d.byte(address), after);
    }

    // Values changed elsewhere while the window is open appear when it comes
    // to the front again.
    void activationShowsAgain()
    {
        Driver d("Optional_edit");
        d.app.state.setByteAt(0x130, 8);
        d.app.state.setByteAt(0x135, 0);
        d.app.main->Channel_edit_Click();   // another window in front
        d.activateAgain();
        QCOMPARE(shown(d.win->list(OptionList::Tot)), QStringLiteral("120"));
        QCOMPARE(shown(d.win->check(OptionCheck::BatterySave)), QStringLiteral("unchecked"));
    }

    // Picking with the keys stores the entry's code; typed text that names no
    // entry selects the first entry and stores it; the voice list takes no text.
    void listEntry_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("address");
        QTest::addColumn<QString>("typed");   // "down" = the Down arrow
        QTest::addColumn<QString>("shows");
        QTest::addColumn<int>("code");
        QTest::newRow("TOT down from 60 s") << "Combo_TOT" << 0x130 << "down" << "75" << 5;
        QTest::newRow("TOT typed nonsense") << "Combo_TOT" << 0x130 << "x" << "15" << 1;
        QTest::newRow("squelch typed 7") << "Combo_Sql" << 0x134 << "7" << "7" << 7;
        QTest::newRow("mic: typed letters name no entry") << "Combo_Mic_Level" << 0x13D << "High" << "Normal" << 0;
        QTest::newRow("voice ignores letters") << "Combo_Voice" << 0x137 << "E" << "Chinese" << 1;
        QTest::newRow("voice down") << "Combo_Voice" << 0x137 << "down" << "English" << 2;
    }
    void listEntry()
    {
        QFETCH(QString, control);
        QFETCH(int, address);
        QFETCH(QString, typed);
        QFETCH(QString, shows);
        QFETCH(int, code);
        Driver d("Optional_edit");
        auto* list = d.control<QComboBox>(control);
        list->setFocus();
        if (typed == "down")
            QTest::keyClick(list, Qt::Key_Down);
        else
            Driver::typeOver(list, typed);
        QCOMPARE(list->currentText(), shows);
        QCOMPARE(d.byte(address), code);
    }

    void enablingRules()
    {
        Driver d("Optional_edit");
        frm_option* w = d.win;
        auto* pttId = w->list(OptionList::PttId);
        const struct {
            int position;
            bool begin, end;
        } ptt[] = {{kPttEot, false, true}, {kPttBoth, true, true}, {kPttBot, true, false}};
        for (const auto& step : ptt) {
            pttId->setFocus();
            for (int i = 0; i < (step.position == kPttBot ? 2 : 1); ++i)
                QTest::keyClick(pttId, step.position == kPttBot ? Qt::Key_Up : Qt::Key_Down);
            QCOMPARE(d.byte(OptionAddress::PttId), step.position);
            QCOMPARE(looksOpen(w->Text_tx_begin), step.begin);
            QCOMPARE(looksOpen(w->Text_tx_end), step.end);
        }

        // VOX: its five controls follow the box; their values stay.
        QTest::mouseClick(w->check(OptionCheck::Vox), Qt::LeftButton);
        QCOMPARE(d.byte(OptionAddress::Vox), 1);
        QTest::mouseClick(w->check(OptionCheck::VoxTone), Qt::LeftButton);
        QTest::mouseClick(w->check(OptionCheck::Vox), Qt::LeftButton);
        QCOMPARE(d.byte(OptionAddress::Vox), 0);
        for (const char* name : kVoxSubControls)
            QVERIFY2(!d.control<QWidget>(name)->isEnabled(), name);
        QVERIFY(!looksOpen(w->list(OptionList::VoxGain)));
        QCOMPARE(d.byte(OptionAddress::VoxTone), 1);
        QCOMPARE(d.byte(OptionAddress::VoxGain), 5);

        // Scrambler: activation closes the backup box, whose value stays.
        QTest::mouseClick(w->check(OptionCheck::ScramblerBackup), Qt::LeftButton);
        QTest::mouseClick(w->check(OptionCheck::ScramblerActivation), Qt::LeftButton);
        QCOMPARE(d.byte(OptionAddress::ScramblerActivation), 1);
        QVERIFY(!w->check(OptionCheck::ScramblerBackup)->isEnabled());
        QCOMPARE(d.byte(OptionAddress::ScramblerBackup), 1);
        d.reopen();
        QVERIFY(!d.win->check(OptionCheck::ScramblerBackup)->isEnabled());
        QVERIFY(!d.win->list(OptionList::VoxDelay)->isEnabled());
    }

    // The DTMF boxes take 0-9 and A-D (a-d made upper case), at most 16; the
    // stored string is always what the box shows, wherever the caret stands
    // and however characters were removed.
    void dtmfTyping_data()
    {
        QTest::addColumn<QString>("keys");   // "<" = Backspace, "^" = Home, "~" = Delete
        QTest::addColumn<QString>("box");
        QTest::newRow("1, a, 2") << "1a2" << "1A2";
        QTest::newRow("others refused") << "1X#e 2" << "12";
        QTest::newRow("Backspace refused") << "12<" << "12";
        QTest::newRow("at the caret") << "12^3" << "312";
        QTest::newRow("Delete removes") << "123^~" << "23";
        QTest::newRow("sixteen at most") << "0123456789ABCDdcba" << "0123456789ABCDDC";
    }
    void dtmfTyping()
    {
        QFETCH(QString, keys);
        QFETCH(QString, box);
        Driver d("Optional_edit");
        QLineEdit* begin = d.win->Text_tx_begin;
        begin->setFocus();
        QTest::keyClick(begin, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(begin, Qt::Key_Delete);   // the start-up 12345 goes
        QCOMPARE(test::imageBytes(d.app.state, 20), dtmfBytes(""));
        typeScript(begin, keys);
        QCOMPARE(begin->text(), box);
        QCOMPARE(test::imageBytes(d.app.state, 20), dtmfBytes(box.toLatin1()));
        QCOMPARE(test::imageBytes(d.app.state, 21), dtmfBytes(""));
    }

    void dtmfPaste_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("box");
        QTest::newRow("cut at X") << "12X34" << "12";
        QTest::newRow("lower-case ends it") << "1b3" << "1B";
        QTest::newRow("longer than 16") << "01234567890123456789" << "0123456789012345";
    }
    void dtmfPaste()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, box);
        Driver d("Optional_edit");
        QComboBox* pttId = d.win->list(OptionList::PttId);
        QTest::keyClick(pttId, Qt::Key_Down);   // "EOT": the end box opens
        QVERIFY(d.win->Text_tx_end->isEnabled());
        QLineEdit* end = d.win->Text_tx_end;
        QGuiApplication::clipboard()->setText(pasted);
        end->setFocus();
        QTest::keyClick(end, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(end->text(), box);
        QCOMPARE(test::imageBytes(d.app.state, 21), dtmfBytes(box.toLatin1()));
        QCOMPARE(test::imageBytes(d.app.state, 20), dtmfBytes("12345"));
    }

    void chineseTexts()
    {
        Driver d("Optional_edit", true);
        QCOMPARE(d.win->windowTitle(), QStringLiteral("可选参数"));
        QCOMPARE(d.control<QGroupBox>("Frame_vox")->title(), QStringLiteral("VOX(声控发射)"));
        QCOMPARE(d.win->list(OptionList::Voice)->currentText(), QStringLiteral("中文"));
    }
};

QTEST_MAIN(TestFrmOption)
#include "tst_frm_option.moc"
