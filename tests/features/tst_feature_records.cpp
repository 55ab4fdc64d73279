// The feature editors' core: what a stored byte shows, what
// is stored back, and the bytes every choice leaves in the radio image.

#include <QTest>

#include "channels/ChannelGrid.h"
#include "features/FeatureTexts.h"
#include "features/KeyRecord.h"
#include "features/MessageRecord.h"
#include "features/OptionRecord.h"
#include "features/ScanRecord.h"
#include "features/TestFrequencies.h"
#include "support/CaseRows.h"
#include "support/ImageBytes.h"
#include "support/StartedState.h"

using namespace mx615;
using mx615::test::addCases;
using mx615::test::imageBytes;
using mx615::test::startedState;

Q_DECLARE_METATYPE(mx615::OptionList)
Q_DECLARE_METATYPE(mx615::OptionCheck)
Q_DECLARE_METATYPE(mx615::PriorityMode)

namespace {

// A list's stored byte, what the list shows for it and what it stores back.
struct OptionCase {
    OptionList list;
    int address;
    int stored;
    QString shown;
    int storedBack;
};

// count bytes from radio address first on, across lines.
QByteArray bytesAt(const ProgramState& state, int first, int count)
{
    QByteArray out;
    for (int a = first; a < first + count; ++a)
        out.append(char(state.byteAt(a)));
    return out;
}

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QString& text) { return text.toStdString(); }

// What a window does when it shows a stored list value: select the entry,
// whose handler stores it back.
QString showAndStore(ProgramState& state, OptionList list)
{
    const int p = ShownPosition(state, list);
    StorePosition(state, list, p);
    return q(Choices(list)[p].text.en);
}

QStringList lines(const std::vector<SettingLine>& settings)
{
    QStringList out;
    for (const SettingLine& l : settings)
        out << q(l.label + "=" + l.value);
    return out;
}

}  // namespace

class TestFeatureRecords : public QObject {
    Q_OBJECT
private slots:
    // ---- Optional features ----
    void optionLists_data()
    {
        addCases<OptionCase>("option", {
            {"TOT 0 shows 15, stores 1", {OptionList::Tot, 0x130, 0, "15", 1}},
            {"TOT 1", {OptionList::Tot, 0x130, 1, "15", 1}},
            {"TOT 4 = 60 s", {OptionList::Tot, 0x130, 4, "60", 4}},
            {"TOT 40 = 600 s", {OptionList::Tot, 0x130, 40, "600", 40}},
            {"TOT 41 beyond", {OptionList::Tot, 0x130, 41, "600", 40}},
            {"TOT 255 beyond", {OptionList::Tot, 0x130, 255, "600", 40}},
            {"TOA 0 off", {OptionList::Toa, 0x131, 0, "Off", 0}},
            {"TOA 11 beyond", {OptionList::Toa, 0x131, 11, "10", 10}},
            {"PTT ID 2", {OptionList::PttId, 0x132, 2, "Both", 2}},
            {"PTT ID 255", {OptionList::PttId, 0x132, 255, "Both", 2}},
            {"PTT type 1", {OptionList::PttType, 0x133, 1, "FleetSync", 1}},
            {"squelch 12", {OptionList::Squelch, 0x134, 12, "9", 9}},
            {"squelch 0", {OptionList::Squelch, 0x134, 0, "0", 0}},
            {"voice 3", {OptionList::Voice, 0x137, 3, "English", 2}},
            {"VOX gain 10", {OptionList::VoxGain, 0x13A, 10, "10", 10}},
            {"VOX delay 2", {OptionList::VoxDelay, 0x13B, 2, "1", 2}},
            {"VOX delay 6", {OptionList::VoxDelay, 0x13B, 6, "3", 5}},
            {"mic 200", {OptionList::Mic, 0x13D, 200, "High", 1}},
        });
    }
    void optionLists()
    {
        QFETCH(OptionCase, option);
        const auto& [list, address, stored, shown, storedBack] = option;
        ProgramState st = startedState();
        st.setByteAt(address, stored);
        const QByteArray before = bytesAt(st, 0x120, 64);
        QCOMPARE(showAndStore(st, list), shown);
        QCOMPARE(st.byteAt(address), storedBack);
        QByteArray expected = before;
        expected[address - 0x120] = char(storedBack);
        QCOMPARE(bytesAt(st, 0x120, 64), expected);  // nothing else in lines 18..21
    }

    void optionListSizes()
    {
        QCOMPARE(Choices(OptionList::Tot).size(), std::size_t(40));
        QCOMPARE(q(Choices(OptionList::Tot)[1].text.en), QString("30"));
        QCOMPARE(Choices(OptionList::Toa).size(), std::size_t(11));
        QCOMPARE(q(Choices(OptionList::VoxGain)[0].text.zh), QString("关"));
        // No selection (or a position past the end) stores nothing.
        ProgramState st = startedState();
        StorePosition(st, OptionList::Tot, 40);
        StorePosition(st, OptionList::Tot, -1);
        QCOMPARE(st.byteAt(0x130), 4);
    }

    void typedText_data()
    {
        QTest::addColumn<OptionList>("list");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<int>("storedBack");
        QTest::newRow("TOT no match") << OptionList::Tot << "17" << false << 1;
        QTest::newRow("TOT match") << OptionList::Tot << "600" << false << 40;
        QTest::newRow("TOT padded text is no match") << OptionList::Tot << " 60" << false << 1;
        QTest::newRow("TOA Chinese off") << OptionList::Toa << "关" << true << 0;
        QTest::newRow("TOA English word in Chinese") << OptionList::Toa << "5" << true << 5;
        QTest::newRow("PTT type Chinese") << OptionList::PttType << "FleetSync(队列同步)" << true << 1;
        QTest::newRow("PTT type English text in Chinese") << OptionList::PttType << "FleetSync" << true << 0;
    }
    void typedText()
    {
        QFETCH(OptionList, list);
        QFETCH(QString, typed);
        QFETCH(bool, chinese);
        QFETCH(int, storedBack);
        ProgramState st = startedState();
        StorePosition(st, list, TypedChoicePosition(s(typed), Choices(list), chinese));
        QCOMPARE(st.byteAt(Address(list)), storedBack);
    }

    void checkBoxes_data()
    {
        QTest::addColumn<OptionCheck>("check");
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("shown");
        QTest::newRow("battery save 0") << OptionCheck::BatterySave << 0x135 << 0 << false;
        QTest::newRow("beep 1") << OptionCheck::Beep << 0x136 << 1 << true;
        QTest::newRow("VOX receive 2") << OptionCheck::VoxReceive << 0x138 << 2 << true;
        QTest::newRow("VOX 0x80") << OptionCheck::Vox << 0x139 << 0x80 << true;
        QTest::newRow("VOX tone 255") << OptionCheck::VoxTone << 0x13C << 255 << true;
        QTest::newRow("clone 1") << OptionCheck::Clone << 0x13E << 1 << true;
        QTest::newRow("scrambler activation 7") << OptionCheck::ScramblerActivation << 0x12C << 7 << true;
        QTest::newRow("scrambler backup 0") << OptionCheck::ScramblerBackup << 0x12D << 0 << false;
    }
    void checkBoxes()
    {
        QFETCH(OptionCheck, check);
        QFETCH(int, address);
        QFETCH(int, stored);
        QFETCH(bool, shown);
        ProgramState st = startedState();
        st.setByteAt(address, stored);
        const QByteArray before = bytesAt(st, 0x120, 64);
        QCOMPARE(ShownCheck(st, check), shown);
        StoreCheck(st, check, ShownCheck(st, check));
        QByteArray expected = before;
        expected[address - 0x120] = char(shown ? 1 : 0);  // non-zero becomes 1
        QCOMPARE(bytesAt(st, 0x120, 64), expected);
    }

    void enabling()
    {
        QVERIFY(DtmfBoxesFor(kPttBot).begin && !DtmfBoxesFor(kPttBot).end);
        QVERIFY(!DtmfBoxesFor(kPttEot).begin && DtmfBoxesFor(kPttEot).end);
        QVERIFY(DtmfBoxesFor(kPttBoth).begin && DtmfBoxesFor(kPttBoth).end);
        QVERIFY(!ScramblerBackupEnabled(true) && ScramblerBackupEnabled(false));
        QVERIFY(VoxSubControlsEnabled(true) && !VoxSubControlsEnabled(false));
    }

    void dtmfShown()
    {
        ProgramState st = startedState();
        QCOMPARE(q(ShownDtmf(st, DtmfString::Begin)), QString("12345"));
        QCOMPARE(q(ShownDtmf(st, DtmfString::End)), QString());
        const QByteArray stored = QByteArray::fromHex("31FF32FF41614445 2A00FF0D30FF39FF");
        for (int p = 0; p < 16; ++p)
            st.RadioImage[21][p] = int16_t(uint8_t(stored[p]));
        // Only 0-9 and A-D count; lower case, E, * and controls are skipped anywhere.
        QCOMPARE(q(ShownDtmf(st, DtmfString::End)), QString("12AD09"));
    }

    void dtmfKeyFilter_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<uint>("key");
        QTest::addColumn<QString>("enters");  // empty: swallowed
        QTest::newRow("digit") << "" << uint('7') << "7";
        QTest::newRow("upper D") << "1" << uint('D') << "D";
        QTest::newRow("lower a to A") << "1" << uint('a') << "A";
        QTest::newRow("lower d to D") << "1" << uint('d') << "D";
        QTest::newRow("E") << "" << uint('E') << "";
        QTest::newRow("e") << "" << uint('e') << "";
        QTest::newRow("star") << "" << uint('*') << "";
        QTest::newRow("backspace") << "12" << uint('\b') << "";
        QTest::newRow("non-ASCII") << "" << uint(0x0661) << "";  // Arabic-Indic one
        QTest::newRow("15 chars") << "123456789ABCD01" << uint('2') << "2";
        QTest::newRow("16 chars") << "123456789ABCD012" << uint('3') << "";
        QTest::newRow("15 chars and blanks") << " 123456789ABCD01 " << uint('2') << "2";
    }
    void dtmfKeyFilter()
    {
        QFETCH(QString, box);
        QFETCH(uint, key);
        QFETCH(QString, enters);
        const auto got = FilteredDtmfKey(s(box), char32_t(key));
        QCOMPARE(got ? QString(QChar(*got)) : QString(), enters);
    }

    void dtmfTyping()
    {
        ProgramState st = startedState();
        std::string box;
        for (char32_t key : {U'1', U'a', U'x', U'2', U'\b'})
            if (auto c = DtmfKeyPress(st, DtmfString::Begin, box, key))
                box += *c;
        QCOMPARE(q(box), QString("1A2"));
        QCOMPARE(imageBytes(st, 20), QByteArray::fromHex("314132FFFFFFFFFFFFFFFFFFFFFFFFFF"));

        // Sixteen keys fill the field; a seventeenth is refused and nothing
        // beyond position 15 (nor line 21) is written.
        const QByteArray line21 = imageBytes(st, 21);
        box.clear();
        for (int i = 0; i < 17; ++i)
            if (auto c = DtmfKeyPress(st, DtmfString::Begin, box, U'9'))
                box += *c;
        QCOMPARE(box.size(), std::size_t(16));
        QCOMPARE(imageBytes(st, 20), QByteArray(16, '9'));
        QCOMPARE(st.RadioImage[20][16], int16_t(0));
        QCOMPARE(imageBytes(st, 21), line21);

        // The end string lives in line 21.
        DtmfKeyPress(st, DtmfString::End, "", U'b');
        QCOMPARE(imageBytes(st, 21), QByteArray::fromHex("42FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"));
    }

    void dtmfCleanup_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("cut at X") << "12X34" << "12";
        QTest::newRow("lower b ends the text") << "1b3" << "1B";
        QTest::newRow("first lower") << "abc" << "A";
        QTest::newRow("inner blank cuts") << " 1 2" << "1";
        QTest::newRow("clean text unchanged") << "12AD" << "12AD";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("E cuts") << "E12" << "";
    }
    void dtmfCleanup()
    {
        QFETCH(QString, text);
        QFETCH(QString, cleaned);
        QCOMPARE(q(CleanedDtmfText(s(text))), cleaned);
        QCOMPARE(q(CleanedDtmfText(CleanedDtmfText(s(text)))), cleaned);  // a second pass changes nothing
    }

    void startupOptionsInWords()
    {
        const ProgramState st = startedState();
        const QStringList en = lines(OptionSettings(st, false));
        QCOMPARE(en, (QStringList{
                         "Time Out Timer(TOT)[s]=60", "TOT Pre-Alert[s]=Off", "Squelch Level=5",
                         "Mic Sensitivity=Normal", "Voice Annunciation=Chinese", "Battery Save=On", "Beep=On",
                         "Scrambler Activation=Off", "Scrambler Backup=Off", "PTT ID Type=DTMF", "PTT ID=BOT",
                         "Begin of TX=12345", "End of TX=", "VOX Function=Off", "VOX Gain Level=5",
                         "VOX Delay Time[s]=0.5", "VOX Proceed Tone=Off", "VOX Inhibit on Receive=Off",
                         "Clone Mode=Off"}));
        const QStringList zh = lines(OptionSettings(st, true));
        QCOMPARE(zh.at(4), QString("语音通知=中文"));
        QCOMPARE(zh.at(9), QString("PTT ID 类型=DTMF(双音多频)"));
        QCOMPARE(zh.at(10), QString("PTT ID=发射开始"));
    }

    // ---- Key assignment ----
    void keys_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("storedBack");
        QTest::newRow("255 None") << 255 << "None" << 255;
        QTest::newRow("0 Autodial") << 0 << "Autodial" << 0;
        QTest::newRow("1 Autodial, rewritten 0") << 1 << "Autodial" << 0;
        QTest::newRow("2 Key Lock") << 2 << "Key Lock" << 2;
        QTest::newRow("11 last") << 11 << "Temporary Delete" << 11;
        QTest::newRow("12 None") << 12 << "None" << 255;
        QTest::newRow("254 None") << 254 << "None" << 255;
    }
    void keys()
    {
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(int, storedBack);
        for (FunctionKey key : kFunctionKeys) {
            ProgramState st = startedState();
            const int address = key == FunctionKey::Pf1 ? 0x11D : 0x11E;
            st.setByteAt(address, stored);
            const QByteArray before = imageBytes(st, 17);
            const int p = ShownKeyPosition(st, key);
            QCOMPARE(q(KeyFunctionChoices()[p].text.en), shown);
            StoreKeyPosition(st, key, p);
            QByteArray expected = before;
            expected[address - 0x110] = char(storedBack);
            QCOMPARE(imageBytes(st, 17), expected);
        }
    }

    void keyChoices()
    {
        ProgramState st = startedState();
        StoreKeyPosition(st, FunctionKey::Pf2, kKeyNone);
        QCOMPARE(st.byteAt(0x11E), 255);
        StoreKeyPosition(st, FunctionKey::Pf2, kKeyAutodial);
        QCOMPARE(st.byteAt(0x11E), 0);
        StoreKeyPosition(st, FunctionKey::Pf2, TypedChoicePosition("Lock", KeyFunctionChoices(), false));
        QCOMPARE(st.byteAt(0x11E), 255);
        StoreKeyPosition(st, FunctionKey::Pf1, TypedChoicePosition("扫描", KeyFunctionChoices(), true));
        QCOMPARE(st.byteAt(0x11D), 6);
        QCOMPARE(lines(KeySettings(startedState(), false)), (QStringList{"PF1=None", "PF2=Squelch Off Momentary"}));
    }

    // ---- Scan information ----
    void lookBack_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("storedBack");
        QTest::newRow("0 = 0.50") << 0 << "0.50" << 0;
        QTest::newRow("1 = 0.50") << 1 << "0.50" << 0;
        QTest::newRow("2 = 0.55") << 2 << "0.55" << 2;
        QTest::newRow("11 = 1.00") << 11 << "1.00" << 11;
        QTest::newRow("31 = 2.00") << 31 << "2.00" << 31;
        QTest::newRow("32 = 2.05") << 32 << "2.05" << 32;
        QTest::newRow("91 = 5.00") << 91 << "5.00" << 91;
        QTest::newRow("92 beyond") << 92 << "5.00" << 91;
        QTest::newRow("120 beyond") << 120 << "5.00" << 91;
    }
    void lookBack()
    {
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(int, storedBack);
        ProgramState st = startedState();
        st.setByteAt(0x163, stored);
        const QByteArray before = imageBytes(st, 22);
        const int p = ShownLookBackPosition(st, LookBack::B);
        QCOMPARE(q(LookBackChoices()[p].text.en), shown);
        StoreLookBackPosition(st, LookBack::B, p);
        QByteArray expected = before;
        expected[3] = char(storedBack);
        QCOMPARE(imageBytes(st, 22), expected);
        QCOMPARE(LookBackChoices().size(), std::size_t(91));
    }

    void revert_data()
    {
        QTest::addColumn<PriorityMode>("mode");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("storedBack");
        const auto None = PriorityMode::None, Fixed = PriorityMode::Fixed, Selected = PriorityMode::Selected;
        QTest::newRow("None 0") << None << 0 << "Selected" << 0;
        QTest::newRow("None 1") << None << 1 << "Selected+Talk Back" << 1;
        QTest::newRow("None 2 limited") << None << 2 << "Selected+Talk Back" << 1;
        QTest::newRow("None 3 limited") << None << 3 << "Selected+Talk Back" << 1;
        QTest::newRow("Fixed 0") << Fixed << 0 << "Selected" << 0;
        QTest::newRow("Fixed 2") << Fixed << 2 << "Priority" << 2;
        QTest::newRow("Fixed 3") << Fixed << 3 << "Priority+Talk Back" << 3;
        QTest::newRow("Fixed 255 limited") << Fixed << 255 << "Priority+Talk Back" << 3;
        QTest::newRow("Selected 0") << Selected << 0 << "Priority" << 2;
        QTest::newRow("Selected 1") << Selected << 1 << "Priority+Talk Back" << 3;
        QTest::newRow("Selected 2") << Selected << 2 << "Priority" << 2;
        QTest::newRow("Selected 3") << Selected << 3 << "Priority+Talk Back" << 3;
        QTest::newRow("Selected 9 limited") << Selected << 9 << "Priority+Talk Back" << 3;
    }
    void revert()
    {
        QFETCH(PriorityMode, mode);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(int, storedBack);
        ProgramState st = startedState();
        st.setByteAt(0x164, stored);
        const QByteArray before = imageBytes(st, 22);
        const ChoiceList list = RevertChoices(mode);
        const int p = ShownRevertPosition(st, mode);
        QCOMPARE(q(list[p].text.en), shown);
        StoreRevertPosition(st, mode, p);
        QByteArray expected = before;
        expected[4] = char(storedBack);
        QCOMPARE(imageBytes(st, 22), expected);
    }

    void revertFollowsModeSwitch()
    {
        // Fixed with code 0 (Selected) switched to Selected: "Priority", 2.
        ProgramState st = startedState();
        st.setByteAt(0x160, 1);
        st.setByteAt(0x164, 0);
        StorePriorityMode(st, 2);
        const PriorityMode mode = ShownPriorityMode(st);
        QCOMPARE(mode, PriorityMode::Selected);
        StoreRevertPosition(st, mode, ShownRevertPosition(st, mode));
        QCOMPARE(st.byteAt(0x164), 2);
        // Selected with code 3 switched to None: "Selected+Talk Back", 1, in both languages.
        st.setByteAt(0x164, 3);
        StorePriorityMode(st, 0);
        const int p = ShownRevertPosition(st, PriorityMode::None);
        QCOMPARE(q(RevertChoices(PriorityMode::None)[p].text.zh), QString("选定+当前通话"));
        StoreRevertPosition(st, PriorityMode::None, p);
        QCOMPARE(st.byteAt(0x164), 1);
        QCOMPARE(st.byteAt(0x160), 0);
        // A mode code beyond the list shows Selected.
        st.setByteAt(0x160, 200);
        QCOMPARE(ShownPriorityMode(st), PriorityMode::Selected);
    }

    void delays_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QByteArray>("storedBack");  // low, high
        QTest::newRow("3 s") << 3 << 0 << 3 << QByteArray::fromHex("0300");
        QTest::newRow("255 s") << 255 << 0 << 255 << QByteArray::fromHex("FF00");
        QTest::newRow("256 s") << 0 << 1 << 256 << QByteArray::fromHex("0001");
        QTest::newRow("300 s") << 44 << 1 << 300 << QByteArray::fromHex("2C01");
        QTest::newRow("301 limited") << 45 << 1 << 300 << QByteArray::fromHex("2C01");
        QTest::newRow("high 127") << 0 << 127 << 300 << QByteArray::fromHex("2C01");
        QTest::newRow("high 128") << 0 << 128 << 300 << QByteArray::fromHex("2C01");
        QTest::newRow("FF FF") << 255 << 255 << 300 << QByteArray::fromHex("2C01");
    }
    void delays()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(int, shown);
        QFETCH(QByteArray, storedBack);
        for (ScanDelay which : {ScanDelay::Dropout, ScanDelay::Dwell}) {
            ProgramState st = startedState();
            const int first = which == ScanDelay::Dropout ? 5 : 7;
            st.RadioImage[22][first] = int16_t(low);
            st.RadioImage[22][first + 1] = int16_t(high);
            const QByteArray before = imageBytes(st, 22);
            QCOMPARE(ShownDelaySeconds(st, which), shown);
            QCOMPARE(q(DelayChoices()[shown].text.en), QString::number(shown));
            StoreDelaySeconds(st, which, shown);
            QByteArray expected = before;
            expected.replace(first, 2, storedBack);
            QCOMPARE(imageBytes(st, 22), expected);
        }
    }

    void priorityChannel()
    {
        ProgramState st = startedState();
        QCOMPARE(q(ShownPriorityChannel(st)), QString());  // 255
        st.setByteAt(0x161, 16);
        QCOMPARE(q(ShownPriorityChannel(st)), QString("16"));
        st.setByteAt(0x161, 17);
        QCOMPARE(q(ShownPriorityChannel(st)), QString());
        st.setByteAt(0x161, 0);
        QCOMPARE(q(ShownPriorityChannel(st)), QString());

        // Fixed: typing 1 then 7 stores 1, then rejects 17 and keeps 1.
        QCOMPARE(PriorityChannelChanged(st, PriorityMode::Fixed, "1"), PriorityChannelEntry::Stored);
        QCOMPARE(PriorityChannelChanged(st, PriorityMode::Fixed, "17"), PriorityChannelEntry::Rejected);
        QCOMPARE(st.byteAt(0x161), 1);
        QCOMPARE(PriorityChannelChanged(st, PriorityMode::Fixed, ""), PriorityChannelEntry::Rejected);
        QCOMPARE(PriorityChannelChanged(st, PriorityMode::Fixed, "0"), PriorityChannelEntry::Rejected);
        QCOMPARE(PriorityChannelChanged(st, PriorityMode::Fixed, "16"), PriorityChannelEntry::Stored);
        QCOMPARE(st.byteAt(0x161), 16);
        // Other modes store nothing, so the channel survives.
        QCOMPARE(PriorityChannelChanged(st, PriorityMode::None, ""), PriorityChannelEntry::Ignored);
        QCOMPARE(PriorityChannelChanged(st, PriorityMode::Selected, "3"), PriorityChannelEntry::Ignored);
        QCOMPARE(st.byteAt(0x161), 16);
        QCOMPARE(q(ScanTexts::PriorityChannelRange.en), QString("Priority channel must be between 1 and 16."));

        QVERIFY(PriorityChannelKeyAccepted("1", U'7'));
        QVERIFY(!PriorityChannelKeyAccepted("17", U'1'));
        QVERIFY(!PriorityChannelKeyAccepted("", U'a'));
        QVERIFY(!PriorityChannelKeyAccepted("1", U'\b'));
    }

    void scanEnabling()
    {
        const ScanEnabling none = ScanEnablingFor(PriorityMode::None);
        const ScanEnabling fixed = ScanEnablingFor(PriorityMode::Fixed);
        const ScanEnabling selected = ScanEnablingFor(PriorityMode::Selected);
        QVERIFY(none.emptyPriorityChannel && !none.priorityChannelEnabled && !none.lookBackEnabled);
        QVERIFY(!fixed.emptyPriorityChannel && fixed.priorityChannelEnabled && fixed.lookBackEnabled);
        QVERIFY(selected.emptyPriorityChannel && !selected.priorityChannelEnabled && selected.lookBackEnabled);
    }

    void startupScanInWords()
    {
        ProgramState st = startedState();
        QCOMPARE(lines(ScanSettings(st, false)),
                 (QStringList{"Priority=None", "Priority Channel=", "Look Back Time A(s)=2.00",
                              "Look Back Time B(s)=3.00", "Revert Channel=Selected+Talk Back",
                              "Dropout Delay Time (s)=3", "TX Dwell Time (s)=3"}));
        st.setByteAt(0x160, 1);
        st.setByteAt(0x161, 7);
        QCOMPARE(lines(ScanSettings(st, true)).mid(0, 2), (QStringList{"优先=固定", "优先信道=7"}));
    }

    // ---- Test-mode frequencies ----
    void testFrequencyStore_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("address");
        QTest::newRow("row 1 RX") << 1 << 1 << 0x280;
        QTest::newRow("row 1 TX") << 1 << 2 << 0x284;
        QTest::newRow("row 2 RX") << 2 << 1 << 0x288;
        QTest::newRow("row 3 TX") << 3 << 2 << 0x294;
        QTest::newRow("row 16 RX") << 16 << 1 << 0x2F8;
        QTest::newRow("row 16 TX") << 16 << 2 << 0x2FC;
    }
    void testFrequencyStore()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, address);
        ProgramState st = startedState();
        const QByteArray before = bytesAt(st, 0x280, 128);
        const int at = address - 0x280;

        StoreTestFrequency(st, row, column, "470.10000");
        QByteArray expected = before;
        expected.replace(at, 4, QByteArray::fromHex("00000147"));
        QCOMPARE(bytesAt(st, 0x280, 128), expected);
        QCOMPARE(q(TestFrequencyText(st, row, column)), QString("470.10000"));

        StoreTestFrequency(st, row, column, "  ");
        expected.replace(at, 4, QByteArray(4, char(0xFF)));
        QCOMPARE(bytesAt(st, 0x280, 128), expected);
        QCOMPARE(q(TestFrequencyText(st, row, column)), QString());

        // A first byte of 0xFF shows an empty cell whatever follows.
        st.setByteAt(address + 1, 0x50);
        st.setByteAt(address + 3, 0x45);
        QCOMPARE(q(TestFrequencyText(st, row, column)), QString());
    }

    void testFrequencyRows()
    {
        const std::vector<TestFrequencyRow> rows = TestFrequencyRows(startedState());
        QCOMPARE(rows.size(), std::size_t(16));
        QCOMPARE(q(rows[0].channel + " " + rows[0].rx + " " + rows[0].tx), QString("1 155.05000 155.10000"));
        QCOMPARE(q(rows[2].rx + " " + rows[2].tx), QString("173.95000 173.90000"));
        QCOMPARE(q(rows[6].channel + "|" + rows[6].rx + "|" + rows[6].tx), QString("7||"));
        QCOMPARE(q(rows[15].channel), QString("16"));
    }

    void leaveTestCell_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QString>("rxAfter");
        QTest::addColumn<QString>("txAfter");
        QTest::addColumn<QString>("warning");  // English text, empty for none
        QTest::addColumn<bool>("focusToGrid");
        const QString rxRange = q(ChannelGridTexts::RxOutOfBand.en), txRange = q(ChannelGridTexts::TxOutOfBand.en);
        const QString rxFirst = q(ChannelGridTexts::RxFirst.en), bad = q(ChannelGridTexts::BadFrequency.en);
        QTest::newRow("RX 390 in UHF") << 1 << 1 << "390" << "" << "" << "400.00000" << "" << rxRange << false;
        QTest::newRow("RX text in VHF") << 0 << 1 << "abc" << "" << "" << "136.00000" << "" << rxRange << false;
        QTest::newRow("RX 470.1, TX empty") << 1 << 1 << "470.1" << "" << "" << "470.10000" << "470.10000" << ""
                                            << true;
        QTest::newRow("RX 470.1, TX kept") << 1 << 1 << " 470.1 " << "450.00000" << "451.00000" << "470.10000"
                                           << "451.00000" << "" << false;
        QTest::newRow("RX emptied empties TX") << 1 << 1 << " " << "450.00000" << "451.00000" << "" << "" << ""
                                               << false;
        QTest::newRow("RX unstorable") << 1 << 1 << "450.0250001" << "450.00000" << "451.00000" << "450.00000"
                                       << "451.00000" << bad << false;
        QTest::newRow("TX without RX") << 1 << 2 << "450" << "" << "451.00000" << "" << "451.00000" << rxFirst
                                       << false;
        QTest::newRow("TX empty without RX") << 1 << 2 << "" << "" << "451.00000" << "" << "" << "" << false;
        QTest::newRow("TX out of band") << 1 << 2 << "500" << "450.00000" << "" << "450.00000" << "400.00000"
                                        << txRange << false;
        QTest::newRow("TX emptied, RX kept") << 1 << 2 << "" << "450.00000" << "451.00000" << "450.00000" << ""
                                             << "" << false;
        QTest::newRow("TX in band") << 1 << 2 << "460.0125" << "450.00000" << "" << "450.00000" << "460.01250"
                                    << "" << false;
        QTest::newRow("column 0") << 1 << 0 << "1" << "450.00000" << "" << "450.00000" << "" << "" << false;
    }
    void leaveTestCell()
    {
        QFETCH(int, model);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(QString, rxAfter);
        QFETCH(QString, txAfter);
        QFETCH(QString, warning);
        QFETCH(bool, focusToGrid);
        ProgramState st;
        st.ModelIndex = int16_t(model);
        BuildModelTable(st);
        const TestCellEdit edit = LeaveTestCell(st, column, s(typed), s(rx), s(tx));
        QCOMPARE(q(edit.rx), rxAfter);
        QCOMPARE(q(edit.tx), txAfter);
        QCOMPARE(edit.warning ? q(edit.warning->en) : QString(), warning);
        QCOMPARE(edit.refused, warning == q(ChannelGridTexts::BadFrequency.en));
        QCOMPARE(edit.focusToGrid, focusToGrid);
    }

    // ---- Embedded message ----
    void messageOneKeyBehind()
    {
        ProgramState st = startedState();
        const QByteArray message2 = bytesAt(st, 0x320, 32);
        std::string box;
        for (char c : std::string("HELLO"))
            if (MessageKeyPress(st, Message::First, box))
                box += c;
        QCOMPARE(imageBytes(st, 48), QByteArray("HELL") + QByteArray(12, char(0xFF)));
        QCOMPARE(imageBytes(st, 49), QByteArray(16, char(0xFF)));
        MessageKeyPress(st, Message::First, box);  // any further key stores the O
        QCOMPARE(imageBytes(st, 48), QByteArray("HELLO") + QByteArray(11, char(0xFF)));
        QCOMPARE(bytesAt(st, 0x320, 32), message2);
    }

    void messageThirtyThirdKey()
    {
        ProgramState st = startedState();
        const std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";  // 32
        std::string box;
        for (char c : text + "6")
            if (MessageKeyPress(st, Message::Second, box))
                box += c;
        QCOMPARE(q(box), q(text));  // the 33rd key is refused
        QCOMPARE(bytesAt(st, 0x320, 32), QByteArray::fromStdString(text));
        QCOMPARE(bytesAt(st, 0x300, 32), QByteArray(32, char(0xFF)));
        QCOMPARE(q(ShownMessage(st, Message::Second)), q(text));

        // A longer pasted text stores its first 32 characters, nothing beyond.
        StoreMessage(st, Message::First, text + "XYZ");
        QCOMPARE(bytesAt(st, 0x300, 32), QByteArray::fromStdString(text));
        QCOMPARE(st.RadioImage[49][16], int16_t(0));
        QCOMPARE(bytesAt(st, 0x320, 32), QByteArray::fromStdString(text));
    }

    void messageShown_data()
    {
        QTest::addColumn<QByteArray>("stored");  // 32 bytes of message 1
        QTest::addColumn<QString>("shown");
        QTest::newRow("erased") << QByteArray(32, char(0xFF)) << "";
        QTest::newRow("inner blank not shown") << QByteArray("A B") + QByteArray(29, char(0xFF)) << "AB";
        QTest::newRow("33..127 only") << QByteArray::fromHex("20 21 7E 7F 80 1F 00 41") + QByteArray(24, char(0xFF))
                                      << "!~\x7F" "A";
        QTest::newRow("characters 17..32") << QByteArray(16, char(0xFF)) + QByteArray("X") + QByteArray(14, ' ') + "Y"
                                           << "XY";
    }
    void messageShown()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        ProgramState st = startedState();
        for (int i = 0; i < 32; ++i)
            st.RadioImage[48 + i / 16][i % 16] = int16_t(uint8_t(stored[i]));
        QCOMPARE(q(ShownMessage(st, Message::First)), shown);
    }

    void messageStoredWithInnerBlank()
    {
        ProgramState st = startedState();
        StoreMessage(st, Message::First, "  A B  ");
        QCOMPARE(imageBytes(st, 48, 0, 4), QByteArray("A B") + char(0xFF));
        QCOMPARE(q(ShownMessage(st, Message::First)), QString("AB"));
        QVERIFY(IsMessageCharacter(U'é') && !IsMessageCharacter(U'中'));
    }
};

QTEST_GUILESS_MAIN(TestFeatureRecords)
#include "tst_feature_records.moc"
