// How COMn maps to a device off Windows, and the settings string.

#include <QTest>

#include "link/CommControl.h"
#include "link/PortTable.h"

using namespace mx615;

using Paths = std::vector<std::string>;
Q_DECLARE_METATYPE(Paths)

class TestPortTable : public QObject {
    Q_OBJECT
private slots:
    void table_data()
    {
        QTest::addColumn<QString>("overrideList");
        QTest::addColumn<Paths>("system");
        QTest::addColumn<Paths>("expected");
        QTest::newRow("on-board before USB before ACM, natural order")
            << QString() << Paths{"/dev/ttyS1", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyUSB2"}
            << Paths{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0"};
        QTest::newRow("other built-in ports count as on-board")
            << QString() << Paths{"/dev/ttyUSB0", "/dev/ttyAMA0", "/dev/ttyACM1", "/dev/ttyS0"}
            << Paths{"/dev/ttyAMA0", "/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyACM1"};
        QTest::newRow("ttyS10 after ttyS9")
            << QString() << Paths{"/dev/ttyS10", "/dev/ttyS9"} << Paths{"/dev/ttyS9", "/dev/ttyS10"};
        QTest::newRow("override with colons replaces the machine's ports")
            << "/dev/pts/4:/dev/pts/7" << Paths{"/dev/ttyUSB0"} << Paths{"/dev/pts/4", "/dev/pts/7"};
        QTest::newRow("override keeps its order")
            << "/dev/ttyUSB1:/dev/ttyS0:/dev/ttyUSB0" << Paths{} << Paths{"/dev/ttyUSB1", "/dev/ttyS0", "/dev/ttyUSB0"};
        QTest::newRow("override with commas, empty entries skipped")
            << "/dev/a,,/dev/b," << Paths{} << Paths{"/dev/a", "/dev/b"};
        QTest::newRow("empty override means none given")
            << "" << Paths{"/dev/ttyUSB0"} << Paths{"/dev/ttyUSB0"};
        QTest::newRow("no ports at all") << QString() << Paths{} << Paths{};
    }
    void table()
    {
        QFETCH(QString, overrideList);
        QFETCH(Paths, system);
        QFETCH(Paths, expected);
        const QByteArray list = overrideList.toUtf8();
        const Paths table = BuildPortTable(overrideList.isNull() ? nullptr : list.constData(), system);
        QCOMPARE(table, expected);
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
