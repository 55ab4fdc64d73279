#include "link/QtCommControl.h"

#include <QMap>
#include <QPointer>
#include <QSerialPortInfo>
#include <QTimer>

#include "link/DeviceTree.h"
#include "link/PortTable.h"
#include "link/SystemChecks.h"

namespace mx615 {

QStringList PortTableEntries()
{
    const QByteArray override = qgetenv("MX615_PORTS");
    const DeviceTree devices;
    std::vector<std::string> system;
    // Asking the system walks every tty device: not when the user named them.
    // On Linux that is a look at sysfs, the same the doctor takes; Qt's own
    // listing asks udev about every tty and costs the program's start-up
    // several times as much.
    if (override.isEmpty()) {
#ifdef Q_OS_LINUX
        system = devices.serialPorts();
#else
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
            system.push_back(info.systemLocation().toStdString());
#endif
    }
    QStringList entries;
    for (const std::string& path : BuildPortTable(override.isEmpty() ? nullptr : override.constData(), system, devices))
        entries << QString::fromStdString(path);
    return entries;
}

namespace {

QString deviceInTable(const QStringList& table, int number)
{
#ifdef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("MX615_PORTS"))
        return QStringLiteral("COM%1").arg(number);
#endif
    return number >= 1 && number <= table.size() ? table[number - 1] : QString();
}

}  // namespace


std::vector<PortEntry> DescribedPortTable()
{
    std::vector<PortEntry> table;
#ifdef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("MX615_PORTS")) {
        QStringList present;
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
            present << info.portName();
        for (int n = 1; n <= 8; ++n) {
            const QString name = QStringLiteral("COM%1").arg(n);
            table.push_back({name.toStdString(), present.contains(name) ? PortDescription("") : PortMissing(), {}, {}});
        }
        return table;
    }
#endif
    const DeviceTree devices;
    for (const QString& path : PortTableEntries())
        table.push_back(DescribePort(path.toStdString(), devices));
    return table;
}

namespace {

PortError errorKind(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return PortError::NoSuchPort;
    case QSerialPort::PermissionError:
        return PortError::PermissionDenied;
    case QSerialPort::ResourceError:
        return PortError::DeviceLost;
    case QSerialPort::UnsupportedOperationError:
        return PortError::BadSettings;
    default:
        return PortError::Other;
    }
}

// At opening, a resource error or a failed lock means someone else holds the
// port, not that the user lacks the right to open it.
PortError openErrorKind(QSerialPort::SerialPortError error, const QString& text)
{
    if (error == QSerialPort::ResourceError || error == QSerialPort::OpenError)
        return PortError::Busy;
    if (error == QSerialPort::PermissionError && text.contains(QLatin1String("lock"), Qt::CaseInsensitive))
        return PortError::Busy;
    return errorKind(error);
}

}  // namespace

QtCommControl::QtCommControl(QObject* parent) : QObject(parent)
{
    connect(&port_, &QSerialPort::readyRead, this, &QtCommControl::onReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtCommControl::onError);
}

QtCommControl::QtCommControl(const QString& device, QObject* parent) : QtCommControl(parent)
{
    fixedDevice_ = device;
}

QtCommControl::~QtCommControl()
{
    OnComm = nullptr;
    OnFault = nullptr;
    close();
}

void QtCommControl::refreshPorts()
{
    if (fixedDevice_.isEmpty())
        table_ = PortTableEntries();
    tableRead_ = true;
}

std::string QtCommControl::deviceFor(int commPort) const
{
    return (fixedDevice_.isEmpty() ? deviceInTable(table_, commPort) : fixedDevice_).toStdString();
}

QString QtCommControl::device() const
{
    return fixedDevice_.isEmpty() ? deviceInTable(table_, CommPort) : fixedDevice_;
}

bool QtCommControl::open()
{
    fault_ = {};
    faulted_ = false;
    if (!tableRead_)
        refreshPorts();
    const QString device = this->device();
    const std::string name = "COM" + std::to_string(CommPort);
    if (port_.isOpen()) {
        fault_ = {PortError::Busy, device.toStdString(), "the port is already open"};
        return false;
    }
    if (device.isEmpty()) {
        fault_ = {PortError::NoSuchPort, {}, "there is no serial port " + name + " on this computer"};
        return false;
    }
    const auto settings = ParseSettings(Settings);
    if (!settings) {
        fault_ = {PortError::BadSettings, device.toStdString(), "invalid line settings " + Settings};
        return false;
    }
    port_.setPortName(device);
    port_.setReadBufferSize(0);
    if (!port_.open(QIODevice::ReadWrite)) {
        fault_ = {openErrorKind(port_.error(), port_.errorString()), device.toStdString(),
                  port_.errorString().toStdString()};
        port_.clearError();
        // The advice names the device's group only where joining it helps.
        // A bare name is a device under /dev, as the serial port takes it.
        if (fault_.error == PortError::PermissionDenied)
            fault_.group = SystemChecks("/", {}).groupThatOpens(
                (device.contains('/') ? device : "/dev/" + device).toStdString());
        return false;
    }
    static const QMap<char, QSerialPort::Parity> parities = {{'N', QSerialPort::NoParity},
                                                             {'E', QSerialPort::EvenParity},
                                                             {'O', QSerialPort::OddParity},
                                                             {'M', QSerialPort::MarkParity},
                                                             {'S', QSerialPort::SpaceParity}};
    const bool applied = port_.setBaudRate(settings->baud) &&
                         port_.setDataBits(QSerialPort::DataBits(settings->dataBits)) &&
                         port_.setParity(parities.value(settings->parity)) &&
                         port_.setStopBits(settings->stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
                         port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!applied) {
        fault_ = {PortError::BadSettings, device.toStdString(), port_.errorString().toStdString()};
        port_.close();
        port_.clearError();
        return false;
    }
    // Qt does not flush what the device buffered before we opened it.
    port_.clear(QSerialPort::AllDirections);
    input_.clear();
    return true;
}

void QtCommControl::close()
{
    if (!port_.isOpen())
        return;
    // close() may drop bytes still queued; the end byte must reach the radio.
    if (!faulted_) {
        for (int i = 0; i < 20 && port_.bytesToWrite() > 0; ++i)
            if (!port_.waitForBytesWritten(50))
                break;
    }
    port_.close();
    input_.clear();
}

bool QtCommControl::isOpen() const
{
    return port_.isOpen();
}

bool QtCommControl::writeByte(uint8_t byte)
{
    if (!port_.isOpen())
        return false;
    const char c = char(byte);
    return port_.write(&c, 1) == 1;
}

void QtCommControl::pullInput()
{
    if (!port_.isOpen())
        return;
    const QByteArray data = port_.readAll();
    for (char c : data) {
        if (int(input_.size()) >= InBufferSize)
            break;  // overrun: the control's buffer is full
        input_.push_back(uint8_t(c));
    }
}

std::optional<uint8_t> QtCommControl::readByte()
{
    if (input_.empty())
        pullInput();
    if (input_.empty())
        return std::nullopt;
    const uint8_t byte = input_.front();
    input_.pop_front();
    return byte;
}

int QtCommControl::bytesWaiting() const
{
    return int(input_.size() + (port_.isOpen() ? port_.bytesAvailable() : 0));
}

void QtCommControl::discardInput()
{
    input_.clear();
    if (port_.isOpen()) {
        port_.readAll();
        port_.clear(QSerialPort::Input);
    }
}

void QtCommControl::onReadyRead()
{
    if (inRead_)
        return;
    const qint64 arrived = port_.bytesAvailable();
    pullInput();
    // readyRead comes once per chunk; the radio's handlers take one receive
    // event per byte, so raise one for every byte that arrived.
    QPointer<QtCommControl> alive(this);
    inRead_ = true;
    for (qint64 i = 0; i < arrived && alive && port_.isOpen() && RThreshold > 0; ++i)
        if (OnComm)
            OnComm();
    if (alive)
        inRead_ = false;
}

void QtCommControl::onError(QSerialPort::SerialPortError error)
{
    // After a device vanishes Qt 6.4 raises this in a tight loop: report once,
    // close first, and never show anything from inside the slot.
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || faulted_ || !port_.isOpen())
        return;
    faulted_ = true;
    fault_ = {errorKind(error), port_.portName().toStdString(), port_.errorString().toStdString()};
    if (fault_.error == PortError::Other || fault_.error == PortError::NoSuchPort)
        fault_.error = PortError::DeviceLost;
    port_.close();
    port_.clearError();
    input_.clear();
    QPointer<QtCommControl> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self && self->OnFault)
            self->OnFault(self->fault_);
    });
}

}  // namespace mx615

