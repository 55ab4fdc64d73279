// Every window in both interface languages: opened after a switch it shows the
// language of the moment, down to its list entries; a window open during a
// switch keeps its captions until it is opened again, while what it sets
// again during its work follows the switch; and the font the program uses has
// every Chinese character the program can show.

#include <QAbstractButton>
#include <QComboBox>
#include <QDirIterator>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <set>

#include "adjust/frm_Adj_Txp.h"
#include "app/Form_setup.h"
#include "app/Form_type.h"
#include "app/frmAbout.h"
#include "channels/Form_Chann_Edit.h"
#include "channels/frm_chann.h"
#include "features/Form_Edit_Message.h"
#include "features/Form_Edit_Test.h"
#include "features/Form_Edit_scan.h"
#include "features/Form_edit_Key.h"
#include "features/frm_option.h"
#include "files/AdjFileDialog.h"
#include "files/ChannFileDialog.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "support/TestApp.h"
#include "support/WindowOpener.h"

using namespace mx615;
using namespace mx615::test;

namespace {

bool hasCjk(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x2E80)
            return true;
    return false;
}

bool hasLetters(const QString& text)
{
    for (const QChar c : text)
        if (c.isLetter() && c.unicode() < 0x80)
            return true;
    return false;
}

// Every text a window shows, by control: captions, list entries, column heads.
QMap<QString, QString> shownTexts(ChildWindow* window)
{
    QMap<QString, QString> texts;
    texts["(title)"] = window->windowTitle();
    int anonymous = 0;
    auto key = [&](QObject* o) { return o->objectName().isEmpty() ? QString("#%1").arg(++anonymous) : o->objectName(); };
    for (QLabel* l : window->findChildren<QLabel*>())
        texts[key(l)] = l->text();
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        texts[key(b)] = b->text();
    for (QGroupBox* g : window->findChildren<QGroupBox*>())
        texts[key(g)] = g->title();
    for (QComboBox* c : window->findChildren<QComboBox*>()) {
        QStringList entries;
        for (int i = 0; i < c->count(); ++i)
            entries << c->itemText(i);
        texts[key(c)] = entries.join('|');
    }
    for (QTableWidget* t : window->findChildren<QTableWidget*>())
        for (int column = 0; column < t->columnCount(); ++column)
            if (QTableWidgetItem* head = t->horizontalHeaderItem(column))
                texts[QString("%1 head %2").arg(key(t)).arg(column)] = head->text();
    return texts;
}

// Words that are the same in both languages.
const std::set<QString> kSameInBoth{"PTT ID", "PTT-ID", "DTMF", "FleetSync", "English", "QT/DQT",
                                    "COM",    "PF",     "26 M", "/",         "MX-615"};

bool sameInBothLanguages(const QString& text)
{
    if (!hasLetters(text) || hasCjk(text))
        return true;  // numbers, frequencies, or a caption kept in Chinese in both
    for (const QString& word : kSameInBoth)
        if (text.trimmed().startsWith(word))
            return true;
    return false;
}

}  // namespace

class TestLanguages : public QObject {
    Q_OBJECT
private slots:
    void everyWindow_data()
    {
        QTest::addColumn<Opener>("open");
        QTest::addColumn<QString>("titleEn");
        QTest::addColumn<QString>("titleZh");
        // The titles a window shows in each language, where it has one.
        const QMap<QString, QStringList> titles{
            {"Form_Chann_Edit", {"Channel Edit", "信道编辑"}},
            {"Form_Comm_Read", {"Read Data From Radio", "从对讲机读取数据"}},
            {"Form_Comm_Write", {"Write Data to Radio", "写数据到对讲机"}},
            {"Form_open_chann", {"Open Channcle File", "打开信道参数文件"}},
            {"Form_setup", {"Communication Port Setup", "通讯端口设置"}},
            {"frm_option", {"Optional Features", "可选参数"}},
            {"Form_edit_Key", {"Key Assingment", "键设定"}},
            {"Form_Edit_scan", {"Scan Information", "扫描信息"}},
            {"Form_Edit_Test", {"Test Frequency", "测试频率"}},
            {"Form_Edit_Message", {"Embedded Message", "嵌入信息"}},
            {"frm_Adj_Txp", {"Test", "调试"}},
            {"Form_open_adj", {"Open Adjust File", "打开调整参数文件"}},
            {"Form_save_adj", {"Save Adjust File", "保存调整参数文件"}},
        };
        for (const WindowKind& window : EveryWindow()) {
            const QStringList title = titles.value(window.name, {"", ""});
            QTest::newRow(window.name) << window.open << title[0] << title[1];
        }
    }
    void everyWindow()
    {
        QFETCH(Opener, open);
        QFETCH(QString, titleEn);
        QFETCH(QString, titleZh);
        // Every caption of a window's caption table finds its control.
        QTest::failOnWarning(QRegularExpression("no control named"));
        TestApp app;
        const QMap<QString, QString> english = shownTexts(open(*app.main));
        app.main->Language_chn_Click();
        const QMap<QString, QString> chinese = shownTexts(open(*app.main));
        app.main->Language_eng_Click();
        const QMap<QString, QString> again = shownTexts(open(*app.main));
        QCOMPARE(again, english);  // back in English, every text as before
        if (!titleEn.isEmpty()) {
            QCOMPARE(english["(title)"], titleEn);
            QCOMPARE(chinese["(title)"], titleZh);
        }
        // Nothing English is left over in the Chinese window.
        for (auto it = english.begin(); it != english.end(); ++it) {
            if (sameInBothLanguages(it.value()))
                continue;
            QVERIFY2(chinese.value(it.key()) != it.value(),
                     qPrintable(QString("%1 shows \"%2\" in Chinese too").arg(it.key(), it.value())));
        }
    }

    // A window open during a switch keeps its captions; what it draws again
    // (the grid cells on activation) and its message boxes follow the switch.
    void openWindowDuringSwitch()
    {
        TestApp app;
        frm_chann* table = app.main->window<frm_chann>();
        QVERIFY(table);
        const QString head = table->MSF_chann->horizontalHeaderItem(1)->text();
        app.main->Language_chn_Click();
        table->Form_Activate();
        QCOMPARE(table->MSF_chann->horizontalHeaderItem(1)->text(), head);
        QCOMPARE(table->MSF_chann->item(1, 5)->text(), QString("高"));
        // A message box shown now speaks the new language, from a window
        // opened before the switch.
        app.main->Language_eng_Click();
        auto* read = app.main->openWindow<Form_Comm_Read>();
        app.main->Language_chn_Click();
        QCOMPARE(read->windowTitle(), QString("Read Data From Radio"));
        read->findChild<QPushButton*>("Command_read")->click();
        QCOMPARE(app.prompt.lastText(), QString("通讯端口打开错误，请正确设置通讯端口 ！"));
        QCOMPARE(app.prompt.messages.last().title, QString("操作提示"));
    }

    // The font the program draws with has a glyph for every Chinese character
    // anywhere in its texts.
    void chineseGlyphsCovered()
    {
        std::set<char32_t> wanted;
        for (const char* folder : {"app", "ui", "model", "channels", "link", "features", "files", "adjust"}) {
            QDirIterator it(QString(MX615_SOURCE_DIR "/%1").arg(folder), {"*.cpp", "*.h"}, QDir::Files);
            while (it.hasNext()) {
                QFile file(it.next());
                QVERIFY(file.open(QIODevice::ReadOnly));
                for (const char32_t c : QString::fromUtf8(file.readAll()).toUcs4())
                    if (c >= 0x3000)
                        wanted.insert(c);
            }
        }
        QVERIFY(wanted.size() > 100);
        const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
        QVERIFY2(!families.isEmpty(), "no font with Chinese glyphs is installed (fonts-wqy-microhei)");
        const QRawFont font = QRawFont::fromFont(QFont(families.first()), QFontDatabase::SimplifiedChinese);
        QStringList missing;
        for (char32_t c : wanted)
            if (!font.supportsCharacter(c))
                missing << QString::fromUcs4(&c, 1);
        QVERIFY2(missing.isEmpty(), qPrintable(families.first() + " lacks " + missing.join(' ')));
    }
};

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
