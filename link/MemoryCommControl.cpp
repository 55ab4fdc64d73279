#include "link/MemoryCommControl.h"

namespace mx615 {

void MemoryDevice::sendToHost(const std::vector<uint8_t>& bytes)
{
    if (host_)
        host_->queueFromDevice(bytes);
}

void MemoryPortHub::addPort(int number, MemoryDevice* device)
{
    ports_[number].device = device;
}

void MemoryPortHub::removePort(int number)
{
    auto it = ports_.find(number);
    if (it == ports_.end())
        return;
    MemoryCommControl* control = it->second.openBy;
    if (it->second.device)
        it->second.device->host_ = nullptr;
    ports_.erase(it);
    if (control)
        control->lost();
}

void MemoryPortHub::refuseOpen(int number, PortError error)
{
    ports_[number].refusal = error;
}

bool MemoryPortHub::isOpen(int number) const
{
    auto it = ports_.find(number);
    return it != ports_.end() && it->second.openBy != nullptr;
}

int MemoryPortHub::openCount(int number) const
{
    auto it = ports_.find(number);
    return it == ports_.end() ? 0 : it->second.opens;
}

MemoryCommControl::MemoryCommControl(MemoryPortHub& hub, TimerFactory& timers)
    : hub_(hub), delivery_(timers.createTimer()), faultTimer_(timers.createTimer())
{
    delivery_->onTimeout = [this] { deliverPending(); };
}

MemoryCommControl::~MemoryCommControl()
{
    close();
}

std::string MemoryCommControl::deviceFor(int commPort) const
{
    return hub_.exists(commPort) ? "memory line " + std::to_string(commPort) : std::string();
}

bool MemoryCommControl::open()
{
    fault_ = {};
    const std::string name = "COM" + std::to_string(CommPort);
    if (!ParseSettings(Settings)) {
        fault_ = {PortError::BadSettings, name, "invalid settings " + Settings};
        return false;
    }
    if (port_) {
        fault_ = {PortError::Busy, name, "port already open"};
        return false;
    }
    auto it = hub_.ports_.find(CommPort);
    if (it == hub_.ports_.end()) {
        fault_ = {PortError::NoSuchPort, {}, "no such port"};
        return false;
    }
    MemoryPortHub::Port& port = it->second;
    if (port.refusal != PortError::None) {
        fault_ = {port.refusal, name, "refused"};
        return false;
    }
    if (port.openBy) {
        fault_ = {PortError::Busy, name, "port in use"};
        return false;
    }
    port.openBy = this;
    ++port.opens;
    port_ = &port;
    openNumber_ = CommPort;
    input_.clear();
    pending_.clear();
    if (port.device) {
        port.device->host_ = this;
        port.device->hostOpened();
    }
    return true;
}

void MemoryCommControl::close()
{
    if (!port_)
        return;
    MemoryPortHub::Port* port = port_;
    port_ = nullptr;
    port->openBy = nullptr;
    delivery_->stop();
    pending_.clear();
    if (port->device) {
        port->device->host_ = nullptr;
        port->device->hostClosed();
    }
}

bool MemoryCommControl::writeByte(uint8_t byte)
{
    if (!port_)
        return false;
    written_.push_back(byte);
    if (port_->device)
        port_->device->receiveFromHost(byte);
    return true;
}

std::optional<uint8_t> MemoryCommControl::readByte()
{
    if (input_.empty())
        return std::nullopt;
    const uint8_t byte = input_.front();
    input_.pop_front();
    return byte;
}

void MemoryCommControl::queueFromDevice(const std::vector<uint8_t>& bytes)
{
    if (!port_ || bytes.empty())
        return;
    pending_.push_back(bytes);
    if (!delivery_->isActive())
        delivery_->start(0);
}

void MemoryCommControl::deliverPending()
{
    delivery_->stop();
    while (!pending_.empty() && port_) {
        const std::vector<uint8_t> chunk = std::move(pending_.front());
        pending_.pop_front();
        input_.insert(input_.end(), chunk.begin(), chunk.end());
        if (input_.size() > std::size_t(InBufferSize))
            input_.erase(input_.begin(), input_.begin() + (input_.size() - InBufferSize));
        // One event per arriving byte; the handler may close the port meanwhile.
        for (std::size_t i = 0; i < chunk.size() && port_ && RThreshold > 0; ++i)
            if (OnComm)
                OnComm();
    }
}

void MemoryCommControl::lost()
{
    const int number = openNumber_;
    port_ = nullptr;
    delivery_->stop();
    pending_.clear();
    fault_ = {PortError::DeviceLost, "COM" + std::to_string(number), "device removed"};
    faultTimer_->onTimeout = [this] {
        faultTimer_->stop();
        if (OnFault)
            OnFault(fault_);
    };
    faultTimer_->start(0);
}

}  // namespace mx615
