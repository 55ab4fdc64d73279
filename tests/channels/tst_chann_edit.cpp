// The channel detail dialog, driven through its controls: stepping through
// the channels, the number box, the frequency entries, the lists that depend
// on the channel, and stored values that have no list entry.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "channels/ChannelRecord.h"
#include "channels/Form_Chann_Edit.h"
#include "channels/frm_chann.h"
#include "support/ImageBytes.h"
#include "support/TestApp.h"

using namespace mx615;
using namespace mx615::test;

namespace {

struct Dialog {
    explicit Dialog(int channel = 1, const std::function<void(ProgramState&)>& prepare = {})
    {
        app.main->activateWindow();
        QApplication::setActiveWindow(app.main.get());
        if (prepare)
            prepare(app.state);
        app.state.CurrentChannel = int16_t(channel);
        app.main->window<frm_chann>()->Command_Edit_Click();
        d = app.main->window<Form_Chann_Edit>();
    }

    // A user's pick from a list: the entry becomes current and the list
    // reports it as activated, as a mouse or keyboard choice does.
    void choose(QComboBox* box, const QString& entry)
    {
        const int index = box->findText(entry);
        QVERIFY2(index >= 0, qPrintable(entry + " is not in " + box->objectName()));
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // Types into a frequency box and leaves it.
    void enter(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
        d->Command_close->setFocus();
    }
    int byte(int n, int b) const { return app.state.RadioImage[n][b] & 0xFF; }
    QByteArray record(int n) const { return imageBytes(app.state, n); }

    TestApp app;
    Form_Chann_Edit* d = nullptr;
};

QStringList entries(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

}  // namespace

class TestChannEdit : public QObject {
    Q_OBJECT
private slots:
    void scrollBarWraps_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("rx");
        using A = QAbstractSlider;
        QTest::newRow("down from 16 to 1") << 16 << int(A::SliderSingleStepAdd) << 1 << "450.02500";
        QTest::newRow("up from 1 to 16") << 1 << int(A::SliderSingleStepSub) << 16 << "469.97500";
        QTest::newRow("down from 5") << 5 << int(A::SliderSingleStepAdd) << 6 << "459.80000";
        QTest::newRow("up from 5") << 5 << int(A::SliderSingleStepSub) << 4 << "400.12500";
        QTest::newRow("page down from 16") << 16 << int(A::SliderPageStepAdd) << 1 << "450.02500";
        QTest::newRow("jump to the top") << 8 << int(A::SliderToMinimum) << 16 << "469.97500";
        QTest::newRow("jump to the bottom") << 8 << int(A::SliderToMaximum) << 1 << "450.02500";
    }
    void scrollBarWraps()
    {
        QFETCH(int, start);
        QFETCH(int, action);
        QFETCH(int, shown);
        Dialog t(start);
        QCOMPARE(t.d->Text_CHN->text(), QString::number(start));
        t.d->VScroll1->triggerAction(QAbstractSlider::SliderAction(action));
        QCOMPARE(int(t.app.state.CurrentChannel), shown);
        QCOMPARE(t.d->VScroll1->value(), shown);
        QCOMPARE(t.d->Text_CHN->text(), QString::number(shown));
        QTEST(t.d->Text_RX_Freq->text(), "rx");
        QCOMPARE(t.app.main->window<frm_chann>()->windowTitle(),
                 QStringLiteral("Channel Information [ Channel - %1 ]").arg(shown, 2 + (shown > 9), 10, QChar(' ')));
    }

    void arrowKeysOnTheScrollBar()
    {
        Dialog t(16);
        QTest::keyClick(t.d->VScroll1, Qt::Key_Down);
        QCOMPARE(int(t.app.state.CurrentChannel), 1);
        QTest::keyClick(t.d->VScroll1, Qt::Key_Up);
        QCOMPARE(int(t.app.state.CurrentChannel), 16);
        QTest::keyClick(t.d->VScroll1, Qt::Key_Up);
        QCOMPARE(int(t.app.state.CurrentChannel), 15);
        QCOMPARE(t.d->Text_RX_Freq->text(), QStringLiteral("460.55500"));
    }

    void clickingTheScrollBarKeepsTheTypedFrequency()
    {
        // A frequency typed but not yet left is stored in its own channel
        // before the arrows show the next one.
        Dialog t(3);
        t.d->Text_RX_Freq->setFocus();
        t.d->Text_RX_Freq->selectAll();
        QTest::keyClick(t.d->Text_RX_Freq, Qt::Key_Delete);
        QTest::keyClicks(t.d->Text_RX_Freq, "455.5");
        QTest::mouseClick(t.d->VScroll1, Qt::LeftButton, {}, QPoint(t.d->VScroll1->width() / 2, t.d->VScroll1->height() - 4));
        QCOMPARE(int(t.app.state.CurrentChannel), 4);
        QCOMPARE(FrequencyText(t.app.state, 3, kRxFirst), std::string("455.50000"));
        QCOMPARE(t.d->Text_RX_Freq->text(), QStringLiteral("400.12500"));
    }

    void channelNumberBox_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("channel");
        QTest::newRow("1 then 7: the 7 is refused") << "5" << true << "17" << "1" << 1;
        QTest::newRow("1 then 6") << "5" << true << "16" << "16" << 16;
        QTest::newRow("a single digit") << "5" << true << "9" << "9" << 9;
        QTest::newRow("a digit after 2 is refused") << "2" << false << "3" << "2" << 2;
        QTest::newRow("letters are refused") << "4" << true << "a" << "4" << 4;
        QTest::newRow("a point is refused") << "4" << false << "." << "4" << 4;
    }
    void channelNumberBox()
    {
        QFETCH(QString, before);
        QFETCH(bool, selectAll);
        QFETCH(QString, typed);
        Dialog t(before.toInt());
        t.d->Text_CHN->setFocus();
        t.d->Text_CHN->end(false);
        if (selectAll)
            t.d->Text_CHN->selectAll();
        QTest::keyClicks(t.d->Text_CHN, typed);
        QTEST(t.d->Text_CHN->text(), "after");
        QFETCH(int, channel);
        QCOMPARE(int(t.app.state.CurrentChannel), channel);
        // The fields on show are that channel's.
        QCOMPARE(t.d->shownChannel(), channel);
        QCOMPARE(t.d->Text_RX_Freq->text(), QString::fromStdString(FrequencyText(t.app.state, channel, 0)));
    }

    void typedChannelTakesTheEdits()
    {
        Dialog t(1);
        const QByteArray first = t.record(1);
        t.d->Text_CHN->setFocus();
        t.d->Text_CHN->selectAll();
        QTest::keyClicks(t.d->Text_CHN, "9");
        t.choose(t.d->Combo_TXP, "Low");
        QCOMPARE(HighPower(t.app.state, 9), 0);
        QCOMPARE(t.record(1), first);
        QCOMPARE(t.app.main->window<frm_chann>()->windowTitle(), QStringLiteral("Channel Information [ Channel -  9 ]"));
    }

    void backspaceIsRefusedAndALeftBoxBecomesOne()
    {
        Dialog t(12);
        t.d->Text_CHN->setFocus();
        t.d->Text_CHN->end(false);
        QTest::keyClick(t.d->Text_CHN, Qt::Key_Backspace);
        QCOMPARE(t.d->Text_CHN->text(), QStringLiteral("12"));
        t.d->Text_CHN->clear();   // as a paste of nothing would
        QCOMPARE(t.d->shownChannel(), 12);
        t.d->Text_RX_Freq->setFocus();
        QCOMPARE(t.d->Text_CHN->text(), QStringLiteral("1"));
        QCOMPARE(int(t.app.state.CurrentChannel), 1);
        QCOMPARE(t.d->shownChannel(), 1);
    }

    void tableMovesTheChannelBehindTheDialog()
    {
        Dialog t(1);
        t.app.state.CurrentChannel = 7;   // a click in the table's row 7
        t.d->Form_Activate();
        QCOMPARE(t.d->Text_CHN->text(), QStringLiteral("7"));
        QCOMPARE(t.d->shownChannel(), 7);
        t.choose(t.d->Combo_Memory, "5");
        QCOMPARE(AutodialMemory(t.app.state, 7), 4);
        QCOMPARE(AutodialMemory(t.app.state, 1), 0);
    }

    void dependentLists_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("signalling");
        QTest::addColumn<QStringList>("unmute");
        QTest::addColumn<QStringList>("lockout");
        QTest::newRow("no tone, DTMF") << 5 << false << "DTMF"
                                       << QStringList{"Carrier", "Carrier+ Opt.Sig", "Carrier or Opt.Sig"}
                                       << QStringList{"Off", "Carrier", "Option Signalling"};
        QTest::newRow("tone, FleetSync") << 1 << false << "FleetSync"
                                         << QStringList{"QT/DQT", "QT/DQT+ Opt.Sig", "QT/DQT or Opt.Sig"}
                                         << QStringList{"Off", "Carrier", "QT/DQY", "Option Signalling"};
        QTest::newRow("tone, none") << 1 << false << "None" << QStringList{"QT/DQT"}
                                    << QStringList{"Off", "Carrier", "QT/DQT"};
        QTest::newRow("no tone, none") << 5 << false << "None" << QStringList{"Carrier"}
                                       << QStringList{"Off", "Carrier"};
        QTest::newRow("Chinese, tone, DTMF") << 2 << true << "DTMF"
                                             << QStringList{"QT/DQT", "QT/DQT + 可选信令", "QT/DQT 或可选信令"}
                                             << QStringList{"关", "载波", "QT/DQT", "可选信令"};
        QTest::newRow("Chinese, no tone, none") << 6 << true << "无" << QStringList{"载波"}
                                                << QStringList{"关", "载波"};
    }
    void dependentLists()
    {
        QFETCH(int, channel);
        QFETCH(bool, chinese);
        QFETCH(QString, signalling);
        // Start from DTMF with unmute 2, so choosing "None" has something to reset.
        Dialog t(channel, [&](ProgramState& s) {
            SetOptionalSignal(s, channel, 1);
            SetSpUnmute(s, channel, 2);
            s.UiChinese = chinese;
        });
        t.choose(t.d->Combo_Optsig, signalling);
        QTEST(entries(t.d->Combo_Spunmute), "unmute");
        QTEST(entries(t.d->Combo_BCL), "lockout");
        QCOMPARE(OptionalSignal(t.app.state, channel), t.d->Combo_Optsig->currentIndex());
        const bool none = t.d->Combo_Optsig->currentIndex() == 0;
        QCOMPARE(SpUnmute(t.app.state, channel), none ? 0 : 2);
        QCOMPARE(t.d->Combo_Spunmute->currentIndex(), none ? 0 : 2);
    }

    void decodeToneChangesTheLists()
    {
        Dialog t(5);
        QCOMPARE(entries(t.d->Combo_BCL), (QStringList{"Off", "Carrier"}));
        t.choose(t.d->Combo_Decode, "67.0");
        QCOMPARE(t.record(5).mid(8, 2), QByteArray::fromHex("9E02"));
        QCOMPARE(entries(t.d->Combo_Spunmute), QStringList{"QT/DQT"});
        QCOMPARE(entries(t.d->Combo_BCL), (QStringList{"Off", "Carrier", "QT/DQT"}));
        t.choose(t.d->Combo_BCL, "QT/DQT");
        QCOMPARE(BusyLockout(t.app.state, 5), 2);
        t.choose(t.d->Combo_Decode, "OFF");
        QCOMPARE(t.record(5).mid(8, 2), QByteArray::fromHex("FFFF"));
        QCOMPARE(entries(t.d->Combo_Spunmute), QStringList{"Carrier"});
        QCOMPARE(entries(t.d->Combo_BCL), (QStringList{"Off", "Carrier"}));
        // Lockout 2 has no entry in the shorter list: nothing selected, the record keeps it.
        QCOMPARE(t.d->Combo_BCL->currentIndex(), -1);
        QCOMPARE(BusyLockout(t.app.state, 5), 2);
    }

    void fixedListsAndCaptions_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("decodeOff");
        QTest::addColumn<QString>("encodeOff");
        QTest::addColumn<QStringList>("power");
        QTest::addColumn<QStringList>("width");
        QTest::addColumn<QStringList>("pttId");
        QTest::addColumn<QString>("wideLabel");
        QTest::newRow("English") << false << "Channel Edit" << "OFF" << "OFF" << QStringList{"High", "Low"}
                                 << QStringList{"Narrow", "Wide"} << QStringList{"Off", "On"} << "Wide/Narror";
        QTest::newRow("Chinese") << true << "信道编辑" << "无" << "无" << QStringList{"高", "低"}
                                 << QStringList{"窄带", "宽带"} << QStringList{"关", "开"} << "宽带/窄带";
    }
    void fixedListsAndCaptions()
    {
        QFETCH(bool, chinese);
        Dialog t(3, [&](ProgramState& s) { s.UiChinese = chinese; });
        QTEST(t.d->windowTitle(), "caption");
        QTEST(t.d->Combo_Decode->itemText(0), "decodeOff");
        QTEST(t.d->Combo_Encode->itemText(0), "encodeOff");
        QCOMPARE(t.d->Combo_Decode->count(), 206);
        QCOMPARE(t.d->Combo_Encode->count(), 206);
        QCOMPARE(t.d->Combo_Decode->itemText(40), QStringLiteral("D023N"));
        QTEST(entries(t.d->Combo_TXP), "power");
        QTEST(entries(t.d->Combo_WN), "width");
        QTEST(entries(t.d->Combo_PTT_ID), "pttId");
        QTEST(t.d->Label_WN->text(), "wideLabel");
        QCOMPARE(entries(t.d->Combo_Memory), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));
        QVERIFY(!t.d->Combo_TXP->isEditable());
    }

    void frequencyEntries_data()
    {
        QTest::addColumn<bool>("receive");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("shown");
        QTest::newRow("RX in band") << true << "433.5" << QByteArray::fromHex("00003543") << "" << "433.5";
        QTest::newRow("RX upper limit") << true << "481" << QByteArray::fromHex("00001048") << "" << "481";
        QTest::newRow("RX below the band") << true << "300" << QByteArray::fromHex("00000040")
                                           << "Over the range of receive frequency ." << "400.00000";
        QTest::newRow("TX above the band") << false << "500.1" << QByteArray::fromHex("00000040")
                                           << "Over the range of Transmit frequency ." << "400.00000";
        QTest::newRow("TX in band") << false << "470.0125" << QByteArray::fromHex("50120047") << "" << "470.0125";
        QTest::newRow("TX leading zero") << false << "0450.5" << QByteArray::fromHex("00000545") << "" << "0450.5";
        QTest::newRow("RX two points refused") << true << "450.0.5" << QByteArray::fromHex("00250045")
                                               << "This frequency cannot be stored as typed." << "450.02500";
    }
    void frequencyEntries()
    {
        QFETCH(bool, receive);
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        QFETCH(QString, warning);
        Dialog t(1);
        QLineEdit* box = receive ? t.d->Text_RX_Freq : t.d->Text_TX_Freq;
        t.enter(box, typed);
        QCOMPARE(t.record(1).mid(receive ? 0 : 4, 4), stored);
        QCOMPARE(t.app.prompt.texts(), warning.isEmpty() ? QStringList() : QStringList{warning});
        QTEST(box->text(), "shown");
        // The encode tone is kept whatever the TX entry.
        QCOMPARE(t.record(1).mid(10, 2), QByteArray::fromHex("9E02"));
    }

    void lettersNeverReachAFrequencyBox()
    {
        Dialog t(1);
        t.d->Text_RX_Freq->setFocus();
        t.d->Text_RX_Freq->selectAll();
        QTest::keyClicks(t.d->Text_RX_Freq, "4a5b-0,.5");
        QCOMPARE(t.d->Text_RX_Freq->text(), QStringLiteral("450.5"));
        QTest::keyClick(t.d->Text_RX_Freq, Qt::Key_Return);   // Enter stores, as leaving does
        QCOMPARE(t.record(1).left(4), QByteArray::fromHex("00000545"));
    }

    void blankingTx()
    {
        Dialog t(1);
        QVERIFY(t.d->Combo_Encode->isEnabled());
        t.enter(t.d->Text_TX_Freq, QString());
        QCOMPARE(t.record(1).mid(4, 8), QByteArray::fromHex("FFFFFFFF9E02FFFF"));
        QVERIFY(!t.d->Combo_Encode->isEnabled());
        QCOMPARE(t.d->Combo_Encode->currentIndex(), 0);
        QVERIFY(t.app.prompt.messages.isEmpty());
        // A new TX frequency opens the encode list again.
        t.enter(t.d->Text_TX_Freq, "455");
        QVERIFY(t.d->Combo_Encode->isEnabled());
        QCOMPARE(t.record(1).mid(4, 4), QByteArray::fromHex("00005045"));
    }

    void newChannelFromAnRxEntry()
    {
        Dialog t(3);
        QVERIFY(!t.d->Check_ScanAdd->isChecked());
        t.d->Check_ScanAdd->click();
        QVERIFY(ScanAdd(t.app.state, 3));

        // Blanking RX clears the channel and takes it out of the scan list.
        t.enter(t.d->Text_RX_Freq, QString());
        QCOMPARE(t.record(3), QByteArray(16, char(0xFF)));
        QVERIFY(!ScanAdd(t.app.state, 3));
        QVERIFY(!t.d->Combo_WN->isEnabled());
        QVERIFY(!t.d->Text_TX_Freq->isEnabled());
        QVERIFY(!t.d->Check_BS->isEnabled());
        QVERIFY(t.d->Text_RX_Freq->isEnabled());
        QCOMPARE(t.d->Combo_WN->count(), 0);

        t.enter(t.d->Text_RX_Freq, "433.5");
        QCOMPARE(t.record(3), QByteArray::fromHex("00003543FFFFFFFFFFFFFFFF00BFB0F8"));
        QVERIFY(ScanAdd(t.app.state, 3));
        QVERIFY(t.d->Check_ScanAdd->isChecked());
        QCOMPARE(t.d->Combo_WN->currentText(), QStringLiteral("Wide"));
        QCOMPARE(t.d->Combo_TXP->currentText(), QStringLiteral("High"));
        QCOMPARE(t.d->Combo_Memory->currentText(), QStringLiteral("1"));
        QCOMPARE(t.d->Combo_BCL->currentText(), QStringLiteral("Off"));
        QCOMPARE(t.d->Text_TX_Freq->text(), QString());
        QVERIFY(!t.d->Combo_Encode->isEnabled());
        QVERIFY(t.d->Combo_Decode->isEnabled());
    }

    void priorityChangesNothing()
    {
        Dialog t(4);
        const RadioImageTable before = t.app.state.RadioImage;
        t.d->Check_Pri->click();
        QVERIFY(t.d->Check_Pri->isChecked());
        t.d->Check_Pri->click();
        QVERIFY(t.app.state.RadioImage == before);
    }

    void checkBoxesWriteTheirBits()
    {
        Dialog t(2);
        t.d->Check_BS->click();
        QCOMPARE(BeatShift(t.app.state, 2), 1);
        t.d->Check_Comp->click();
        QCOMPARE(Compander(t.app.state, 2), 1);
        t.choose(t.d->Combo_WN, "Narrow");
        t.choose(t.d->Combo_PTT_ID, "On");
        QCOMPARE(t.record(2).mid(12, 3), QByteArray::fromHex("01EFB1"));
    }

    void storedValuesWithoutAnEntry_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("byte12");
        QTest::addColumn<int>("decodeLow");
        QTest::addColumn<QString>("list");
        QTest::newRow("optional signalling 3") << 5 << 0x06 << 0xFF << "Combo_Optsig";
        QTest::newRow("lockout 3, two entries") << 5 << 0x18 << 0xFF << "Combo_BCL";
        QTest::newRow("lockout 2, two entries") << 5 << 0x10 << 0xFF << "Combo_BCL";
        QTest::newRow("lockout 3, three entries") << 1 << 0x18 << 0x9E << "Combo_BCL";
        QTest::newRow("unmute 3 with DTMF") << 5 << 0x62 << 0xFF << "Combo_Spunmute";
        QTest::newRow("unlisted CTCSS decode 69.4") << 5 << 0x00 << 0xB6 << "Combo_Decode";
    }
    void storedValuesWithoutAnEntry()
    {
        QFETCH(int, channel);
        QFETCH(int, byte12);
        QFETCH(int, decodeLow);
        QFETCH(QString, list);
        Dialog t(channel, [&](ProgramState& s) {
            s.RadioImage[channel][12] = int16_t(byte12);
            s.RadioImage[channel][8] = int16_t(decodeLow);
            s.RadioImage[channel][9] = int16_t(decodeLow == 0xFF ? 0xFF : 0x02);
        });
        const QByteArray shown = t.record(channel);
        auto* box = t.d->findChild<QComboBox*>(list);
        QVERIFY(box);
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(t.byte(channel, 12), byte12);
        QCOMPARE(t.byte(channel, 8), decodeLow);
        // Showing the channel again changes nothing either.
        t.d->ReloadDialog();
        QCOMPARE(t.record(channel), shown);
        QCOMPARE(box->currentIndex(), -1);
        // The user's pick is stored.
        t.choose(box, box->itemText(1));
        QCOMPARE(box->currentIndex(), 1);
        QVERIFY(t.record(channel) != shown);
    }

    void showingNormalises_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QByteArray>("before");   // bytes 4..15
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("unmute reset without signalling")
            << 5 << QByteArray::fromHex("00009045FFFFFFFF40BFB0F8") << QByteArray::fromHex("00009045FFFFFFFF00BFB0F8");
        QTest::newRow("decode with an erased low byte becomes off")
            << 5 << QByteArray::fromHex("00009045FF28FFFF00BFB0F8") << QByteArray::fromHex("00009045FFFFFFFF00BFB0F8");
        QTest::newRow("no TX: the encode tone is switched off")
            << 1 << QByteArray::fromHex("FFFFFFFF9E029E0200BFB0F8") << QByteArray::fromHex("FFFFFFFF9E02FFFF00BFB0F8");
        QTest::newRow("bits no control knows are kept")
            << 1 << QByteArray::fromHex("002500459E029E02808FFEF8") << QByteArray::fromHex("002500459E029E02808FFEF8");
    }
    void showingNormalises()
    {
        QFETCH(int, channel);
        QFETCH(QByteArray, before);
        Dialog t(channel, [&](ProgramState& s) {
            for (int i = 0; i < 12; ++i)
                s.RadioImage[channel][4 + i] = int16_t(uint8_t(before[i]));
        });
        QTEST(t.record(channel).mid(4), "after");
    }

    void typingIntoAListPicksNothing_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("typed");
        QTest::newRow("decode, a DCS letter") << "Combo_Decode" << "D";
        QTest::newRow("encode, digits") << "Combo_Encode" << "25";
        QTest::newRow("memory, a digit") << "Combo_Memory" << "5";
        QTest::newRow("power, a letter") << "Combo_TXP" << "L";
        QTest::newRow("signalling, a letter") << "Combo_Optsig" << "F";
    }
    void typingIntoAListPicksNothing()
    {
        QFETCH(QString, list);
        QFETCH(QString, typed);
        Dialog t(1);
        auto* box = t.d->findChild<QComboBox*>(list);
        QVERIFY(box);
        const RadioImageTable before = t.app.state.RadioImage;
        const int shown = box->currentIndex();
        box->setFocus();
        QTest::keyClicks(box, typed);
        QCOMPARE(box->currentIndex(), shown);
        QVERIFY(t.app.state.RadioImage == before);
        // The arrow keys still pick, and the pick is stored.
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->currentIndex(), shown + 1);
        QVERIFY(t.app.state.RadioImage != before);
    }

    void escapeCloses()
    {
        Dialog t(1);
        QTest::keyClick(t.d->Combo_TXP, Qt::Key_Escape);
        QVERIFY(!t.app.main->window<Form_Chann_Edit>());
    }

    void closingTheTableClosesTheDialog()
    {
        Dialog t(1);
        t.app.main->window<frm_chann>()->Command_close_Click();
        QVERIFY(!t.app.main->window<Form_Chann_Edit>());
        QVERIFY(!t.app.main->window<frm_chann>());
    }
};

QTEST_MAIN(TestChannEdit)
#include "tst_chann_edit.moc"
