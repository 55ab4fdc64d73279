// Compare with Radio against the simulated radio: the plan is left as it is,
// the differences are worded as `mx615-cli diff` words them, Take the radio's
// values is one undo step, and the list can be saved as text.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "RadioBench.h"
#include "app/EditCommands.h"
#include "files/ImageDiff.h"
#include "link/Form_Comm_Compare.h"
#include "model/Fingerprint.h"
#include "support/BothWays.h"

using namespace mx615;
using namespace mx615::test;

class TestCompare : public QObject {
    Q_OBJECT
private slots:
    void againstTheRadio_data() { bothWays("same", "the radio holds another plan", "the radio holds the plan"); }
    void againstTheRadio()
    {
        QFETCH(bool, same);
        RadioBench b;
        ProgramState& plan = b.app.state;
        if (same)
            for (int a = 0; a < 1024; ++a)
                b.radio.radio.memory[std::size_t(a)] = uint8_t(plan.byteAt(a));
        const RadioImageTable before = plan.RadioImage;

        b.app.main->activateWindow();
        QApplication::setActiveWindow(b.app.main.get());
        b.app.main->findChild<QAction*>("Prog_compare")->trigger();
        auto* w = b.app.main->window<Form_Comm_Compare>();
        QVERIFY(w);
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), w->Command_compare);  // where the user starts
        QVERIFY(!w->Command_take->isEnabled());
        QTest::mouseClick(w->Command_compare, Qt::LeftButton);
        QVERIFY(b.app.clock.runUntil([&] { return w->radio() != nullptr; }, 5000));
        QCOMPARE(plan.RadioImage, before);  // the plan is untouched
        QCOMPARE(b.app.main->window<Form_Comm_Compare>(), w);  // and the window stays

        const QStringList lines = w->reportLines();
        QVERIFY(lines[0].startsWith("The plan: Fingerprint "));
        QVERIFY(lines[1].startsWith("The radio: Fingerprint "));
        QCOMPARE(lines[0].mid(10) == lines[1].mid(11), same);
        if (same) {
            QCOMPARE(lines.mid(2), QStringList{"The radio holds this plan."});
            QVERIFY(!w->Command_take->isEnabled());
            return;
        }
        // The words of the command-line tool's diff, the plan's value first.
        QStringList expected;
        for (const std::string& line : DescribeChanges(plan, *w->radio(), DiffScope{kWrittenLines, false}, false))
            expected << QString::fromStdString(line);
        QVERIFY(expected.size() > 3);
        QCOMPARE(lines.mid(3), expected);

        // Saved as text, line by line.
        QTemporaryDir dir;
        const QString path = dir.filePath("compare.txt");
        QVERIFY(w->saveText(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), lines.join('\n') + '\n');

        // Taking the radio's values is one step, and the list says so at once.
        QVERIFY(w->Command_take->isEnabled());
        w->Command_take->click();
        for (int a = 0; a < 1024; ++a)
            QCOMPARE(plan.byteAt(a), int(b.radio.radio.memory[std::size_t(a)]));
        QCOMPARE(w->reportLines().last(), QString("The radio holds this plan."));
        QAction* undo = b.app.main->findChild<QAction*>("Edit_undo");
        QCOMPARE(undo->text(), QString("Undo Take the radio's values"));
        undo->trigger();
        QCOMPARE(plan.RadioImage, before);
    }
};

QTEST_MAIN(TestCompare)
#include "tst_compare.moc"
