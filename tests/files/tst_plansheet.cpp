// The channel sheet and the plan's fingerprint, built in the core: what goes
// on the page (and what stays off it), names cut to fit, texts escaped, and
// the one plan loader that every command reads a CSV through.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "channels/ChannelRecord.h"
#include "files/PlanFile.h"
#include "files/PlanSheet.h"
#include "model/Codecs.h"
#include "model/Fingerprint.h"
#include "support/StartedState.h"

using namespace mx615;

namespace {

QStringList strings(const std::vector<std::string>& texts)
{
    QStringList out;
    for (const std::string& t : texts)
        out << QString::fromStdString(t);
    return out;
}

QStringList titles(const PlanSheet& sheet)
{
    QStringList out;
    for (const SettingSection& s : sheet.settings)
        out << QString::fromStdString(s.title);
    return out;
}

}  // namespace

class TestPlanSheet : public QObject {
    Q_OBJECT
private slots:
    // What a clone write sends, and only that, makes the fingerprint.
    void fingerprintCoversWhatAWriteSends_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("cell");
        QTest::addColumn<bool>("changes");
        QTest::newRow("0x000") << 0 << 0 << true;
        QTest::newRow("scan bits 0x17E") << 0x17E / 16 << 0x17E % 16 << true;
        QTest::newRow("0x30F, the last byte sent") << 0x30F / 16 << 15 << true;
        QTest::newRow("0x310, the first byte not sent") << 0x310 / 16 << 0 << false;
        QTest::newRow("0x3FF") << 0x3FF / 16 << 15 << false;
        QTest::newRow("spare cell of line 0") << 0 << 16 << false;
    }
    void fingerprintCoversWhatAWriteSends()
    {
        QFETCH(int, line);
        QFETCH(int, cell);
        QFETCH(bool, changes);
        const ProgramState before = test::startedState();
        ProgramState after = before;
        after.RadioImage[line][cell] = int16_t(after.RadioImage[line][cell] ^ 0x01);
        QCOMPARE(PlanFingerprint(after) != PlanFingerprint(before), changes);
        // The CRC-32 of zip and PNG, by its published check value.
        QCOMPARE(Crc32("123456789"), 0xCBF43926u);
    }

    // A .chann plan: the channel table's columns and texts, an empty channel
    // as an empty row, the settings without the test frequencies.
    void sheetOfAPlanWithoutNames()
    {
        ProgramState s = test::startedState();
        ClearChannel(s, 5);
        const PlanSheet sheet = BuildPlanSheet(s, {"Hotel", "2026-12-08", false, {}});
        QCOMPARE(QString::fromStdString(sheet.title), QString("Hotel"));
        QCOMPARE(QString::fromStdString(sheet.facts[0].value), QString("MX-615D-UHF (400 to 481 MHz)"));
        QCOMPARE(QString::fromStdString(sheet.facts[2].value), QString::fromStdString(FingerprintValue(s, false)));
        QCOMPARE(strings(sheet.columns).join('|'),
                 QString("Channel|RX Frequency|TX Frequency|CTCSS/DCS Dec|CTCSS/DCS Enc|TX Power|W/N|Scan_Add|"
                         "OptSingal|PTT-ID"));
        QCOMPARE(sheet.rows.size(), std::size_t(16));
        QCOMPARE(strings(sheet.rows[0]).join('|'), QString("1|450.02500|450.02500|67.0|67.0|High|Wide|None|None|OFF"));
        QCOMPARE(strings(sheet.rows[4]).join('|'), QString("5|||||||||"));
        QCOMPARE(titles(sheet),
                 (QStringList{"Optional Features", "Key Assingment", "Scan Information", "Embedded Message"}));

        const PlanSheet zh = BuildPlanSheet(s, {"Hotel", "2026-12-08", true, {}});
        QCOMPARE(QString::fromStdString(zh.columns[0]), QString("信道号"));
        QCOMPARE(QString::fromStdString(zh.facts[0].label + zh.facts[0].value), QString("型号MX-615D-UHF（400 至 481 MHz）"));
        QCOMPARE(titles(zh), (QStringList{"可选参数", "键设定", "扫描信息", "嵌入信息"}));
    }

    // Names and comments as a page can hold them: 16 columns, a Chinese
    // character taking two; control characters and bytes of another code
    // page made printable.
    void labelsAreCutToFit_data()
    {
        QTest::addColumn<QByteArray>("given");
        QTest::addColumn<QString>("shown");
        QTest::newRow("16 letters") << QByteArray("Front desk north") << "Front desk north";
        QTest::newRow("17 letters") << QByteArray("Front desk northe") << "Front desk nort…";
        QTest::newRow("8 Chinese") << QByteArray("前台接待前台接待") << "前台接待前台接待";
        QTest::newRow("9 Chinese") << QByteArray("前台接待前台接待前") << "前台接待前台接…";
        QTest::newRow("Latin-1 byte") << QByteArray("Caf\xE9") << "Café";
        QTest::newRow("control characters") << QByteArray(" a\tb\x1b ") << "a b";
    }
    void labelsAreCutToFit()
    {
        QFETCH(QByteArray, given);
        QFETCH(QString, shown);
        ChannelLabels labels;
        labels.names[1] = given.toStdString();
        const PlanSheet sheet = BuildPlanSheet(test::startedState(), {"t", "d", false, labels});
        QCOMPARE(QString::fromStdString(sheet.columns.back()), QString("Name"));   // no comment: no column
        QCOMPARE(QString::fromStdString(sheet.rows[1].back()), shown);
        QCOMPARE(QString::fromStdString(sheet.rows[0].back()), QString());
    }

    // What a CSV holds reaches the page as text, never as markup.
    void htmlEscapesTheTexts()
    {
        ChannelLabels labels;
        labels.comments[0] = "<b>A&B</b> \"x\"";
        const PlanSheet sheet = BuildPlanSheet(test::startedState(), {"<script>x</script>", "d", false, labels});
        const QString html = QString::fromStdString(SheetHtml(sheet, Paper::Letter, kSheetChineseFont));
        QVERIFY(!html.contains("<script>") && !html.contains("<b>"));
        QVERIFY(html.contains("&lt;b&gt;A&amp;B&lt;/b&gt; &quot;x&quot;"));
        QVERIFY(html.contains("size: letter portrait"));
        QVERIFY(html.contains("<th>Comment</th>") && !html.contains("<th>Name</th>"));
    }

    // A CSV through the one loader: refused whole with every bad row and the
    // model that takes them, or with --skip-bad taken with its names.
    void csvThroughThePlanLoader()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("plan.CSV");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Location,Name,Frequency,Comment\n1,Desk,446.00625,lobby\n2,Air,146.52,\n");
        file.close();
        ProgramState s = test::startedState();
        const ProgramState before = s;
        PlanDetails details;
        auto fault = LoadPlanFile(s, path.toStdString(), false, &details);
        QVERIFY(fault);
        QCOMPARE(fault->rows.size(), std::size_t(1));
        QVERIFY(fault->rows[0].find("plan.CSV line 3") == 0);
        QCOMPARE(fault->fittingModel, std::optional<int>(2));   // FULL takes 146.52 MHz and 446 MHz
        QVERIFY(s.RadioImage == before.RadioImage);

        QVERIFY(!LoadPlanFile(s, path.toStdString(), true, &details));
        QCOMPARE(details.kind, PlanKind::Csv);
        QCOMPARE(details.leftOut.size(), std::size_t(1));
        QCOMPARE(details.labels.names[0], std::string("Desk"));
        QCOMPARE(details.labels.comments[0], std::string("lobby"));
        QVERIFY(ChannelInUse(s, 1) && !ChannelInUse(s, 2));

        fault = LoadPlanFile(s, dir.filePath("plan.txt").toStdString());
        QVERIFY(fault && PlanFaultText(*fault, s).en.find("(.chann), radio images (.img) and channel lists (.csv)") !=
                             std::string::npos);
    }
};

QTEST_APPLESS_MAIN(TestPlanSheet)
#include "tst_plansheet.moc"
