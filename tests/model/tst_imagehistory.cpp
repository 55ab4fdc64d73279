// The history of the image on its own: how deep it goes, what a new change
// does to what could be redone, and that an unchanged image makes no step.

#include <QTest>

#include "model/ImageHistory.h"
#include "support/StartedState.h"

using namespace mx615;

class TestImageHistory : public QObject {
    Q_OBJECT
private slots:
    void depthNewChangeAndNoChange_data()
    {
        QTest::addColumn<int>("changes");
        QTest::addColumn<int>("undos");
        QTest::newRow("a few") << 3 << 3;
        QTest::newRow("at the depth") << 100 << 100;
        QTest::newRow("past the depth: the oldest go") << 130 << 100;
    }
    void depthNewChangeAndNoChange()
    {
        QFETCH(int, changes);
        QFETCH(int, undos);
        ProgramState s = test::startedState();
        ImageHistory history;
        history.reset(s);
        QVERIFY(!history.record(s, {"nothing", "无"}));  // no change, no step
        for (int i = 1; i <= changes; ++i) {
            s.setByteAt(0x100 + i % 64, i);
            s.setByteAt(0x200, i);
            QVERIFY(history.record(s, {"step " + std::to_string(i), "第 " + std::to_string(i) + " 步"}));
        }
        QCOMPARE(int(history.undoCount()), undos);
        QCOMPARE(history.undoName()->en, "step " + std::to_string(changes));
        int taken = 0;
        while (history.undo(s))
            ++taken;
        QCOMPARE(taken, undos);
        // Back to the state before the oldest step kept.
        QCOMPARE(s.byteAt(0x200), changes == undos ? 0xFF : changes - undos);
        QCOMPARE(int(history.redoCount()), undos);
        // A new change forgets what could be redone.
        history.redo(s);
        s.ModelIndex = 2;
        QVERIFY(history.record(s, {"model", "机型"}));
        QVERIFY(!history.canRedo());
        history.undo(s);
        QCOMPARE(int(s.ModelIndex), 1);
    }
};

QTEST_APPLESS_MAIN(TestImageHistory)
#include "tst_imagehistory.moc"
