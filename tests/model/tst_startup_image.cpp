// The radio image after start-up, the factory channels and the start-up fill.

#include <QTest>

#include "model/Codecs.h"
#include "model/RadioDefaults.h"
#include "model/Tables.h"
#include "support/StartedState.h"
#include "support/ImageBytes.h"

using namespace mx615;

namespace {

ProgramState started()
{
    return test::startedState();
}

QByteArray line(const ProgramState& s, int n, int first = 0, int count = 16)
{
    return test::imageBytes(s, n, first, count);
}

}  // namespace

class TestStartupImage : public QObject {
    Q_OBJECT
private slots:
    void erasedLines_data()
    {
        QTest::addColumn<int>("line");
        for (int l : {0, 21, 24, 25, 26, 28, 29, 30, 32, 33, 34, 35, 36, 37, 38, 39, 43, 47, 48, 53, 54, 63})
            QTest::addRow("line %d", l) << l;
    }
    void erasedLines()
    {
        QFETCH(int, line);
        QCOMPARE(::line(started(), line), QByteArray(16, char(0xFF)));
    }

    void singleBytes_data()
    {
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("value");
        QTest::newRow("0x000") << 0x000 << 0xFF;
        QTest::newRow("0x1FA") << 0x1FA << 0x00;
        QTest::newRow("0x1F9") << 0x1F9 << 0xFF;
        QTest::newRow("0x145 after the DTMF code") << 0x145 << 0xFF;
        QTest::newRow("0x140 DTMF 1") << 0x140 << 0x31;
        QTest::newRow("0x144 DTMF 5") << 0x144 << 0x35;
        QTest::newRow("0x17E scan bits") << 0x17E << 0x00;
        QTest::newRow("0x173") << 0x173 << 0x90;
        QTest::newRow("0x11E") << 0x11E << 0x0A;
        QTest::newRow("0x1BF") << 0x1BF << 0xFF;
    }
    void singleBytes()
    {
        QFETCH(int, address);
        QFETCH(int, value);
        QCOMPARE(started().byteAt(address), value);
    }

    void fixedLines_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("17") << 17 << QByteArray::fromHex("00000A000001000A000000FFFFFF0AFF");
        QTest::newRow("18") << 18 << QByteArray::fromHex("303030FFFFFFFFFFFFFFFFFF00000101");
        QTest::newRow("19") << 19 << QByteArray::fromHex("04000000050101010000050100000000");
        QTest::newRow("22") << 22 << QByteArray::fromHex("00FF1F330103000300FFFFFFFFFFFFFF");
        QTest::newRow("23") << 23 << QByteArray::fromHex("FF00009001000A000100FFFF00000000");
        QTest::newRow("40") << 40 << QByteArray::fromHex("00505015000051150050601300006113");
        QTest::newRow("41") << 41 << QByteArray::fromHex("00503917000039170000501500005015");
        QTest::newRow("42") << 42 << QByteArray::fromHex("00005215000052150000541500005415");
    }
    void fixedLines()
    {
        QFETCH(int, line);
        QFETCH(QByteArray, bytes);
        QCOMPARE(::line(started(), line), bytes);
    }

    void testFrequenciesDecode()
    {
        const ProgramState s = started();
        const auto text = [&](int address) {
            const int l = address / 16, b = address % 16;
            return QString::fromStdString(BcdToFrequencyText(s.RadioImage[l][b], s.RadioImage[l][b + 1],
                                                             s.RadioImage[l][b + 2], s.RadioImage[l][b + 3]));
        };
        QCOMPARE(text(0x280), "155.05000");
        QCOMPARE(text(0x284), "155.10000");
        QCOMPARE(text(0x288), "136.05000");
        QCOMPARE(text(0x2AC), "155.40000");
    }

    void identificationBytes()
    {
        const ProgramState s = started();
        const auto id = IdentificationBytes();
        QCOMPARE(line(s, 27, 0, 8), QByteArray(8, char(0xFF)));
        for (int b = 0; b < 7; ++b)
            QCOMPARE(s.RadioImage[27][8 + b], int16_t(id[b]));
        QCOMPARE(s.RadioImage[27][15], int16_t(0xFF));
    }

    void spareCellsStayZero()
    {
        const ProgramState s = started();
        for (int l = 0; l < kImageLines; ++l)
            for (int b = 0; b < kImageLineCells; ++b)
                if (l >= kRadioLines || b >= 16)
                    QCOMPARE(s.RadioImage[l][b], int16_t(0));
    }

    void factoryChannels_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("1") << 1 << QByteArray::fromHex("00250045002500459E029E0200BFB0F8");
        QTest::newRow("2") << 2 << QByteArray::fromHex("7543004675430046E803E80300BFB0F8");
        QTest::newRow("3") << 3 << QByteArray::fromHex("0025994600259946F307F30700BFB0F8");
        QTest::newRow("4") << 4 << QByteArray::fromHex("0025014000250140C709C70900BFB0F8");
        QTest::newRow("5 no tone") << 5 << QByteArray::fromHex("0000994500009945FFFFFFFF00BFB0F8");
        QTest::newRow("10") << 10 << QByteArray::fromHex("0075994100759941FFFFFFFF00BFB0F8");
        QTest::newRow("16") << 16 << QByteArray::fromHex("0075994600759946FFFFFFFF00BFB0F8");
    }
    void factoryChannels()
    {
        QFETCH(int, channel);
        QFETCH(QByteArray, record);
        QCOMPARE(line(started(), channel).toHex(' '), record.toHex(' '));
    }

    void defaultChannelsTouchOnlyTheirLines()
    {
        ProgramState s = started();
        s.setByteAt(0x17E, 0x5A);
        s.setByteAt(0x17F, 0xA5);
        for (int n = 1; n <= 16; ++n)
            for (int b = 0; b < 16; ++b)
                s.RadioImage[n][b] = 0x11;
        ProgramState before = s;
        LoadDefaultChannels(s);
        QCOMPARE(s.byteAt(0x17E), 0x5A);
        QCOMPARE(s.byteAt(0x17F), 0xA5);
        for (int l = 0; l < kImageLines; ++l)
            if (l < 1 || l > 16)
                QVERIFY(s.RadioImage[l] == before.RadioImage[l]);
        QCOMPARE(line(s, 16), line(started(), 16));
    }

    void modelDoesNotTouchImage()
    {
        ProgramState s = started();
        const RadioImageTable before = s.RadioImage;
        for (int m : {0, 2, 1}) {
            s.ModelIndex = int16_t(m);
            BuildModelTable(s);
        }
        QVERIFY(s.RadioImage == before);
    }

    // Each choice of the start-up fill fills its part and leaves the others
    // as they were.
    void startupFillChoices_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("tables");
        QTest::addColumn<bool>("image");
        QTest::addColumn<bool>("adjustment");
        QTest::newRow("everything, UHF") << 1 << true << true << true;
        QTest::newRow("tables of the VHF model only") << 0 << true << false << false;
        QTest::newRow("tables and image, FULL model") << 2 << true << true << false;
        QTest::newRow("image only") << 1 << false << true << false;
        QTest::newRow("adjustment table only") << 1 << false << false << true;
    }
    void startupFillChoices()
    {
        QFETCH(int, model);
        QFETCH(bool, tables);
        QFETCH(bool, image);
        QFETCH(bool, adjustment);
        ProgramState s;
        const ProgramState blank;
        FillStartupState(s, {.model = model, .tables = tables, .image = image, .adjustment = adjustment});
        const ProgramState all = started();
        QCOMPARE(s.ModelIndex, tables ? int16_t(model) : blank.ModelIndex);
        QCOMPARE(s.ToneNames == all.ToneNames, tables);
        QCOMPARE(s.BandLowMHz, tables ? double(all.BandTable[model][0]) : blank.BandLowMHz);
        QVERIFY(s.RadioImage == (image ? all.RadioImage : blank.RadioImage));
        QVERIFY(s.AdjustTable == (adjustment ? all.AdjustTable : blank.AdjustTable));
    }
};

QTEST_APPLESS_MAIN(TestStartupImage)
#include "tst_startup_image.moc"
