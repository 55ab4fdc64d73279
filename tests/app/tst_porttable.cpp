// How COMn maps to a device off Windows, and the settings string.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "link/CommControl.h"
#include "link/PortTable.h"
#include "support/FakeSysfs.h"

using namespace mx615;

using Paths = std::vector<std::string>;
Q_DECLARE_METATYPE(Paths)

using FakeSysfs = test::FakeSysfs;

class TestPortTable : public QObject {
    Q_OBJECT
private slots:
    void table_data()
    {
        QTest::addColumn<QString>("overrideList");
        QTest::addColumn<Paths>("system");
        QTest::addColumn<QStringList>("sysfs");   // name:usb or name:uart; others sysfs knows nothing of
        QTest::addColumn<Paths>("expected");
        QTest::newRow("on-board before USB before ACM, natural order")
            << QString() << Paths{"/dev/ttyS1", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyUSB2"}
            << QStringList() << Paths{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0"};
        QTest::newRow("other built-in ports count as on-board")
            << QString() << Paths{"/dev/ttyUSB0", "/dev/ttyAMA0", "/dev/ttyACM1", "/dev/ttyS0"} << QStringList()
            << Paths{"/dev/ttyAMA0", "/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyACM1"};
        QTest::newRow("ttyS10 after ttyS9")
            << QString() << Paths{"/dev/ttyS10", "/dev/ttyS9"} << QStringList() << Paths{"/dev/ttyS9", "/dev/ttyS10"};
        // Vendor drivers name their ports otherwise; the bus tells.
        QTest::newRow("adapters by their bus, whatever their name")
            << QString()
            << Paths{"/dev/ttyXRUSB0", "/dev/ttyS0", "/dev/ttyCH341USB0", "/dev/ttyACM0", "/dev/ttyUSB0", "/dev/ttyS1"}
            << QStringList{"ttyXRUSB0:usb", "ttyS0:uart", "ttyCH341USB0:usb", "ttyACM0:usb", "ttyS1:uart"}
            << Paths{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyCH341USB0", "/dev/ttyUSB0", "/dev/ttyXRUSB0",
                     "/dev/ttyACM0"};
        QTest::newRow("the bus over the name") << QString() << Paths{"/dev/ttyUSB0", "/dev/ttyGS0"}
                                               << QStringList{"ttyUSB0:uart", "ttyGS0:usb"}
                                               << Paths{"/dev/ttyUSB0", "/dev/ttyGS0"};
        QTest::newRow("override with colons replaces the machine's ports")
            << "/dev/pts/4:/dev/pts/7" << Paths{"/dev/ttyUSB0"} << QStringList() << Paths{"/dev/pts/4", "/dev/pts/7"};
        QTest::newRow("override keeps its order")
            << "/dev/ttyUSB1:/dev/ttyS0:/dev/ttyUSB0" << Paths{} << QStringList{"ttyS0:usb"}
            << Paths{"/dev/ttyUSB1", "/dev/ttyS0", "/dev/ttyUSB0"};
        QTest::newRow("override with commas, empty entries skipped")
            << "/dev/a,,/dev/b," << Paths{} << QStringList() << Paths{"/dev/a", "/dev/b"};
        QTest::newRow("empty override means none given")
            << "" << Paths{"/dev/ttyUSB0"} << QStringList() << Paths{"/dev/ttyUSB0"};
        QTest::newRow("no ports at all") << QString() << Paths{} << QStringList() << Paths{};
    }
    void table()
    {
        QFETCH(QString, overrideList);
        QFETCH(Paths, system);
        QFETCH(QStringList, sysfs);
        QFETCH(Paths, expected);
        FakeSysfs fake;
        for (const QString& entry : sysfs)
            fake.tty(entry.section(':', 0, 0), entry.section(':', 1));
        const QByteArray list = overrideList.toUtf8();
        const Paths table = PortPaths(BuildPortTable(overrideList.isNull() ? nullptr : list.constData(), system, fake.tree()));
        QCOMPARE(table, expected);
    }

    // What the port dialog shows beside COMn: the kind from the bus, the chip
    // from the table of cable chips, whatever the driver named the port.
    void describedByTheBus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("bus");
        QTest::addColumn<QByteArray>("vendor");
        QTest::addColumn<QByteArray>("product");
        QTest::addColumn<QString>("shown");
        QTest::newRow("vendor CH341 driver") << "ttyCH341USB0" << "usb" << QByteArray("1a86") << QByteArray("7523")
                                            << "/dev/ttyCH341USB0, USB serial, CH340";
        QTest::newRow("an adapter of no known chip") << "ttyXRUSB0" << "usb" << QByteArray("04e2")
                                                    << QByteArray("1410") << "/dev/ttyXRUSB0, USB serial";
        QTest::newRow("on-board") << "ttyS0" << "uart" << QByteArray() << QByteArray()
                                  << "/dev/ttyS0, on-board serial port";
        QTest::newRow("a stable name leading to an adapter")
            << "ttyUSB0" << "by-id" << QByteArray("10c4") << QByteArray("ea60")
            << "/dev/serial/by-id/usb-Silicon_Labs_CP2102-if00-port0, USB serial, CP210x";
    }
    void describedByTheBus()
    {
        QFETCH(QString, name);
        QFETCH(QString, bus);
        QFETCH(QByteArray, vendor);
        QFETCH(QByteArray, product);
        QFETCH(QString, shown);
        FakeSysfs fake;
        fake.tty(name, bus == "by-id" ? "usb" : bus, vendor, product);
        std::string path = "/dev/" + name.toStdString();
        if (bus == "by-id") {
            path = "/dev/serial/by-id/usb-Silicon_Labs_CP2102-if00-port0";
            QVERIFY(QDir().mkpath(fake.dir.path() + "/dev/serial/by-id"));
            QVERIFY(QFile::link("../../" + name, fake.dir.path() + QString::fromStdString(path)));
        }
        QCOMPARE(QString::fromStdString(PortDeviceText({DescribePort(path, fake.tree())}, 1, false)), shown);
    }

    void portNumbers()
    {
        const Paths table{"/dev/ttyUSB0", "/dev/ttyUSB1"};
        QCOMPARE(PortForNumber(table, 1), std::string("/dev/ttyUSB0"));
        QCOMPARE(PortForNumber(table, 2), std::string("/dev/ttyUSB1"));
        QCOMPARE(PortForNumber(table, 3), std::string());
        QCOMPARE(PortForNumber(table, 0), std::string());
        QCOMPARE(PortForNumber(table, -1), std::string());
    }

    void settings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("baud");
        QTest::addColumn<QChar>("parity");
        QTest::addColumn<int>("stopBits");
        QTest::newRow("the radio's line") << "9600,N,8,1" << true << 9600 << QChar('N') << 1;
        QTest::newRow("lower-case parity") << "19200,e,7,2" << true << 19200 << QChar('E') << 2;
        QTest::newRow("missing field") << "9600,N,8" << false << 0 << QChar() << 0;
        QTest::newRow("bad parity") << "9600,X,8,1" << false << 0 << QChar() << 0;
        QTest::newRow("bad baud") << "fast,N,8,1" << false << 0 << QChar() << 0;
        QTest::newRow("bad stop bits") << "9600,N,8,3" << false << 0 << QChar() << 0;
        QTest::newRow("empty") << "" << false << 0 << QChar() << 0;
    }
    void settings()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const auto parsed = ParseSettings(text.toStdString());
        QCOMPARE(parsed.has_value(), valid);
        if (valid) {
            QFETCH(int, baud);
            QFETCH(QChar, parity);
            QFETCH(int, stopBits);
            QCOMPARE(parsed->baud, baud);
            QCOMPARE(QChar(parsed->parity), parity);
            QCOMPARE(parsed->stopBits, stopBits);
        }
    }
};

QTEST_APPLESS_MAIN(TestPortTable)
#include "tst_porttable.moc"
