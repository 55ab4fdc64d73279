#pragma once
// A fake system tree for the code that reads sysfs, /dev, /proc and /etc
// below a root: files put at absolute paths, and serial ports that hang from
// a USB interface ("usb", with its ids), from the bus of an on-board UART
// ("uart"), or that sysfs knows nothing of.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "link/DeviceTree.h"

namespace mx615::test {

struct FakeSysfs {
    QTemporaryDir dir;

    std::string root() const { return dir.path().toStdString(); }
    DeviceTree tree() const { return DeviceTree(root()); }

    // A file at an absolute path of the tree, its folders made.
    void put(const QString& path, const QByteArray& text)
    {
        const QString full = dir.path() + path;
        QVERIFY(QDir().mkpath(QFileInfo(full).path()));
        QFile file(full);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    }

    // /sys/class/tty/NAME leading to its device, and /dev/NAME.
    void tty(const QString& name, const QString& bus, const QByteArray& vendor = "1a86",
             const QByteArray& product = "7523")
    {
        const QString usbDevice = dir.path() + "/sys/devices/usb1/1-" + name;
        const QString device = bus == "usb" ? usbDevice + "/1-2:1.0" : dir.path() + "/sys/devices/platform/" + name;
        QVERIFY(QDir().mkpath(device));
        QVERIFY(QDir().mkpath(dir.path() + "/sys/class/tty/" + name));
        QVERIFY(QFile::link(device, dir.path() + "/sys/class/tty/" + name + "/device"));
        if (bus == "usb") {
            put(device.mid(dir.path().size()) + "/bInterfaceNumber", "00\n");
            put(usbDevice.mid(dir.path().size()) + "/idVendor", vendor + "\n");
            put(usbDevice.mid(dir.path().size()) + "/idProduct", product + "\n");
        }
        put("/dev/" + name, "");
    }
};

}  // namespace mx615::test
