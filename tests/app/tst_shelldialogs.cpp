// The model and port dialogs, opened from the menu and driven by keys and
// clicks as a user does.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include "app/Form_setup.h"
#include "app/Form_type.h"
#include "app/frmAbout.h"
#include "support/ImageBytes.h"
#include "support/TestApp.h"
#include "../channels/ChannelWindowDriver.h"

using namespace mx615;
using namespace mx615::test;

namespace {

struct Shell {
    Shell()
    {
        app.main->activateWindow();
        QApplication::setActiveWindow(app.main.get());
    }
    template <class W>
    W* open(const char* item)
    {
        app.main->findChild<QAction*>(QString::fromLatin1(item))->trigger();
        return app.main->window<W>();
    }
    TestApp app;
};

}  // namespace

class TestShellDialogs : public QObject {
    Q_OBJECT
private slots:
    void modelDialog_data()
    {
        QTest::addColumn<int>("moves");   // arrow keys from the start-up model, - = up
        QTest::addColumn<int>("finishKey");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("model");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<QString>("panel");
        QTest::newRow("start-up model confirmed") << 0 << int(Qt::Key_Return) << " 400 --  481" << 1 << 400.0
                                                  << 481.0 << " 400-- 480 MHZ";
        QTest::newRow("VHF confirmed") << -1 << int(Qt::Key_Return) << " 136 --  175" << 0 << 136.0 << 175.0
                                       << " 136-- 174 MHZ";
        QTest::newRow("FULL confirmed") << 1 << int(Qt::Key_Enter) << " 100 --  601" << 2 << 100.0 << 601.0
                                        << " 100-- 600 MHZ";
        QTest::newRow("VHF chosen, then Escape") << -1 << int(Qt::Key_Escape) << " 136 --  175" << 1 << 400.0
                                                 << 481.0 << " 400-- 480 MHZ";
    }
    void modelDialog()
    {
        QFETCH(int, moves);
        QFETCH(int, finishKey);
        QFETCH(QString, label);
        QFETCH(int, model);
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(QString, panel);
        Shell t;
        QPointer<Form_type> d = t.open<Form_type>("proc_type");
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QStringLiteral("Model Select"));
        QCOMPARE(QApplication::focusWidget(), d->Combo_type);
        QCOMPARE(d->Combo_type->currentText(), QStringLiteral("MX-615D-UHF"));
        for (int i = 0; i < std::abs(moves); ++i)
            QTest::keyClick(d->Combo_type, moves < 0 ? Qt::Key_Up : Qt::Key_Down);
        QCOMPARE(d->Label_band->text(), label);
        QTest::keyClick(d->Combo_type, Qt::Key(finishKey));
        QVERIFY2(!t.app.main->window<Form_type>(), "the dialog closes");
        QCOMPARE(int(t.app.state.ModelIndex), model);
        QCOMPARE(t.app.state.BandLowMHz, low);
        QCOMPARE(t.app.state.BandHighMHz, high);
        QCOMPARE(t.app.main->panel(7)->text(), panel);
    }

    // The list only takes chosen entries: whatever is typed, the text of the
    // last choice comes back at once, and Confirm takes that choice.
    void modelListRefusesTyping()
    {
        Shell t;
        Form_type* d = t.open<Form_type>("proc_type");
        QTest::keyClick(d->Combo_type, Qt::Key_Up);
        QTest::keyClicks(d->Combo_type->lineEdit(), "X9");
        QTest::keyClick(d->Combo_type->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(d->Combo_type->currentText(), QStringLiteral("MX-615D-VHF"));
        QCOMPARE(d->Label_band->text(), QStringLiteral(" 136 --  175"));
        QTest::mouseClick(d->Command_enter, Qt::LeftButton);
        QCOMPARE(int(t.app.state.ModelIndex), 0);
    }

    // The channel table checks against the band chosen: 145 MHz is refused
    // for UHF and accepted once VHF is confirmed; nothing stored changes with
    // the model itself.
    void newBandReachesChannelTable()
    {
        Shell t;
        const QByteArray before = imageBytes(t.app.state, 1);
        Form_type* d = t.open<Form_type>("proc_type");
        QTest::keyClick(d->Combo_type, Qt::Key_Up);
        QTest::mouseClick(d->Command_enter, Qt::LeftButton);
        QCOMPARE(imageBytes(t.app.state, 1), before);
        ChannelWindowDriver grid(t.app);
        t.app.main->Channel_edit_Click();
        grid.type(1, 1, "145.000");
        grid.enter(grid.text());
        QVERIFY(t.app.prompt.messages.isEmpty());
        QCOMPARE(imageBytes(t.app.state, 1, 0, 4), QByteArray::fromHex("00005014"));
    }

    // A dialog's buttons stand at its foot: centred under the model list, to
    // the right in the about box.
    void buttonsAtTheFoot()
    {
        Shell t;
        Form_type* model = t.open<Form_type>("proc_type");
        const QRect enter = model->Command_enter->geometry(), cancel = model->Command_Cancel->geometry();
        QVERIFY(enter.top() > model->Combo_type->geometry().bottom());
        QVERIFY(cancel.left() > enter.right());
        QVERIFY(qAbs((enter.left() + cancel.right()) / 2 - model->width() / 2) <= 2);
        frmAbout* about = t.app.main->openWindow<frmAbout>();
        const QRect ok = about->cmdOK->geometry(), info = about->cmdSysInfo->geometry();
        QVERIFY(info.left() > ok.right());
        QCOMPARE(about->width() - 1 - info.right(), about->layout()->contentsMargins().right());
    }

    void portDialog_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("click");   // option to click, 0 = none
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("port");
        QTest::newRow("COM5 shown, COM2 confirmed") << 5 << 2 << true << 2;
        QTest::newRow("COM5 shown, COM2 chosen, Cancel") << 5 << 2 << false << 5;
        QTest::newRow("COM12: none shown, Confirm keeps it") << 12 << 0 << true << 12;
        QTest::newRow("COM8 confirmed as it is") << 8 << 0 << true << 8;
    }
    void portDialog()
    {
        QFETCH(int, start);
        QFETCH(int, click);
        QFETCH(bool, confirm);
        QFETCH(int, port);
        Shell t;
        t.app.state.CommPort = int16_t(start);
        const QString panelBefore = t.app.main->panel(3)->text();
        Form_setup* d = t.open<Form_setup>("proc_setup");
        QCOMPARE(d->windowTitle(), QStringLiteral("Communication Port Setup"));
        for (int n = 1; n <= Form_setup::kPorts; ++n) {
            QCOMPARE(d->option(n)->text(), QStringLiteral("COM%1").arg(n));
            QCOMPARE(d->option(n)->isChecked(), n == start);
        }
        if (click)
            QTest::mouseClick(d->option(click), Qt::LeftButton);
        QTest::mouseClick(confirm ? d->Command_ok : d->Command1, Qt::LeftButton);
        QVERIFY(!t.app.main->window<Form_setup>());
        QCOMPARE(int(t.app.state.CommPort), port);
        QCOMPARE(t.app.main->panel(3)->text(), confirm ? QStringLiteral("COM%1").arg(port) : panelBefore);
    }

    // Beside each port the device it stands for, from the table read when
    // the dialog opens; the dialog sits 500 twips above the centre.
    void portDevices()
    {
        Shell t;
        int reads = 0;
        t.app.context.portTable = [&] {
            ++reads;
            return std::vector<PortEntry>{{"/dev/ttyUSB0", PortKind("/dev/ttyUSB0", true), "CH340"},
                                          {"/dev/ttyS0", PortMissing(), {}}};
        };
        t.app.state.CommPort = 3;
        Form_setup* d = t.open<Form_setup>("proc_setup");
        QCOMPARE(d->device(1)->text(), QStringLiteral("/dev/ttyUSB0, USB serial, CH340"));
        QCOMPARE(d->device(2)->text(), QStringLiteral("/dev/ttyS0, not present"));
        QCOMPARE(d->device(3)->text(), QStringLiteral("no device"));
        QCOMPARE(reads, 1);
        QCOMPARE(QApplication::focusWidget(), d->option(3));
        QTest::keyClick(d->option(3), Qt::Key_Up);   // arrows move the choice
        QTest::keyClick(d->option(2), Qt::Key_Return);
        QCOMPARE(int(t.app.state.CommPort), 2);
        QCOMPARE(reads, 1);

        t.app.main->resize(1000, 800);
        d = t.open<Form_setup>("proc_setup");
        const QSize client = t.app.main->clientSize();
        const int height = int(client.height() / 1.8);
        const double dpi = d->screen()->logicalDotsPerInch();
        const int raise = int(500 * dpi / 1440 + 0.5);
        QCOMPARE(qobject_cast<QMdiSubWindow*>(d->parentWidget())->y(), (client.height() - height) / 2 - raise);
    }
};

QTEST_MAIN(TestShellDialogs)
#include "tst_shelldialogs.moc"
