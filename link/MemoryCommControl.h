#pragma once
// An in-memory serial line for tests: a hub stands for the machine's ports, a
// device (the simulated radio) sits at the far end of a port, and
// MemoryCommControl is the program's end. Bytes from the device arrive
// asynchronously on the timer factory's clock, never inside writeByte, just as
// a real port's data arrive after the write returns.

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "link/CommControl.h"
#include "link/LinkTimer.h"

namespace mx615 {

class MemoryDevice {
public:
    virtual ~MemoryDevice() = default;
    // The program opened or closed its end of the line.
    virtual void hostOpened() {}
    virtual void hostClosed() {}
    // One byte written by the program.
    virtual void receiveFromHost(uint8_t byte) = 0;

    // Sends bytes to the program; they arrive on the next clock turn. Safe to
    // call from receiveFromHost.
    void sendToHost(const std::vector<uint8_t>& bytes);

private:
    friend class MemoryCommControl;
    friend class MemoryPortHub;
    class MemoryCommControl* host_ = nullptr;
};

class MemoryPortHub {
public:
    // Makes COMn available, with an optional device behind it.
    void addPort(int number, MemoryDevice* device = nullptr);
    // Pulls the port: an open control on it reports DeviceLost.
    void removePort(int number);
    // Opening COMn fails with this error (PermissionDenied, Busy, ...).
    void refuseOpen(int number, PortError error);

    bool exists(int number) const { return ports_.count(number) != 0; }
    bool isOpen(int number) const;
    int openCount(int number) const;  // how many times COMn was opened
    int tableReads = 0;               // how often a control read the port table

private:
    friend class MemoryCommControl;
    struct Port {
        MemoryDevice* device = nullptr;
        PortError refusal = PortError::None;
        class MemoryCommControl* openBy = nullptr;
        int opens = 0;
    };
    std::map<int, Port> ports_;
};

class MemoryCommControl : public CommControl {
public:
    MemoryCommControl(MemoryPortHub& hub, TimerFactory& timers);
    ~MemoryCommControl() override;

    void refreshPorts() override { ++hub_.tableReads; }
    std::string deviceFor(int commPort) const override;
    bool open() override;
    void close() override;
    bool isOpen() const override { return port_ != nullptr; }
    bool writeByte(uint8_t byte) override;
    std::optional<uint8_t> readByte() override;
    int bytesWaiting() const override { return int(input_.size()); }
    void discardInput() override { input_.clear(); }

    // Every byte written while open, in order, for tests to inspect.
    const std::vector<uint8_t>& written() const { return written_; }

private:
    friend class MemoryDevice;
    friend class MemoryPortHub;
    void queueFromDevice(const std::vector<uint8_t>& bytes);
    void deliverPending();
    void lost();

    MemoryPortHub& hub_;
    int openNumber_ = 0;
    MemoryPortHub::Port* port_ = nullptr;
    std::deque<uint8_t> input_;
    std::deque<std::vector<uint8_t>> pending_;
    std::vector<uint8_t> written_;
    std::unique_ptr<LinkTimer> delivery_;
    std::unique_ptr<LinkTimer> faultTimer_;
};

}  // namespace mx615
