#pragma once
// The program's serial control: QSerialPort behind the CommControl interface.

#include <QObject>
#include <QSerialPort>
#include <deque>

#include "link/CommControl.h"
#include "link/PortTable.h"

namespace mx615 {

// The port table, each entry with the kind of device it is, or "not present"
// for a listed path that does not exist: the one table the port dialog, the
// transfers and the doctor number their ports by. Off Windows it is read from
// sysfs below the tree's root (MachinePortTable).
std::vector<PortEntry> DescribedPortTable(const DeviceTree& devices = DeviceTree());
// Every entry of that table, COM1 first.
QStringList PortTableEntries();

class QtCommControl : public QObject, public CommControl {
    Q_OBJECT
public:
    explicit QtCommControl(QObject* parent = nullptr);
    // A control on one device named by its path ("/dev/ttyUSB0"), whatever
    // CommPort says: the command-line tool takes a path as the user gave it.
    explicit QtCommControl(const QString& device, QObject* parent = nullptr);
    ~QtCommControl() override;

    void refreshPorts() override;
    std::string deviceFor(int commPort) const override;
    bool open() override;
    void close() override;
    bool isOpen() const override;
    bool writeByte(uint8_t byte) override;
    std::optional<uint8_t> readByte() override;
    int bytesWaiting() const override;
    void discardInput() override;

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);
    void pullInput();
    QString device() const;

    QSerialPort port_;
    QStringList table_;
    QString fixedDevice_;
    bool tableRead_ = false;
    std::deque<uint8_t> input_;
    bool faulted_ = false;
    bool inRead_ = false;
};

}  // namespace mx615
