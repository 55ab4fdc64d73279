#pragma once
// The serial communications control the transfer windows and the start-up port
// scan talk to. Two backends implement it: the Qt serial port for the program
// (link/QtCommControl) and an in-memory line for tests (link/MemoryCommControl).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace mx615 {

enum class PortError {
    None,
    NoSuchPort,        // CommPort names no device
    PermissionDenied,  // the device exists, the user may not open it
    Busy,              // another program (or window) holds it
    BadSettings,       // the settings string cannot be applied
    DeviceLost,        // the device vanished while open
    Other,
};

struct PortFault {
    PortError error = PortError::None;
    std::string device = {};  // the device path or name COMn stood for, if known
    std::string reason = {};  // the system's own words
    // PermissionDenied: the group whose members may open the device, "" when
    // its group may not either (joining a group does not help then); nothing
    // when the device could not be looked at.
    std::optional<std::string> group = std::nullopt;
    // The group serial ports are given to on this system (dialout, uucp);
    // empty when it was not looked at.
    std::string serialGroup = {};
};

// Line settings parsed from a "9600,N,8,1" string.
struct LineSettings {
    int baud = 9600;
    char parity = 'N';  // N, E, O, M, S
    int dataBits = 8;
    int stopBits = 1;  // 1 or 2
};
std::optional<LineSettings> ParseSettings(const std::string& settings);

class CommControl {
public:
    virtual ~CommControl() = default;

    // Properties, applied by the caller in order before opening.
    int CommPort = 1;
    std::string Settings = "9600,N,8,1";
    int InBufferSize = 1024;
    int InputLen = 1;
    int RThreshold = 0;
    bool BinaryInput = false;

    // Reads the machine's port table anew; until then open() uses the table
    // read last. Reading it walks the system's devices, so callers do it once
    // per user action (a start click, the start-up scan), not per attempt.
    virtual void refreshPorts() {}

    // The device COMn stands for on this machine, from the table read last;
    // empty when there is none.
    virtual std::string deviceFor(int commPort) const = 0;

    // PortOpen = true. Returns false and fills lastFault() on failure.
    virtual bool open() = 0;
    // PortOpen = false. Bytes already written are sent before the port closes.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Output: one byte per call, as the radio's protocol expects.
    virtual bool writeByte(uint8_t byte) = 0;
    // Input with InputLen 1: the next waiting byte, if any.
    virtual std::optional<uint8_t> readByte() = 0;
    // InBufferCount.
    virtual int bytesWaiting() const = 0;
    // InBufferCount = 0.
    virtual void discardInput() = 0;

    const PortFault& lastFault() const { return fault_; }

    // Receive event: raised once for every byte that arrives while RThreshold > 0.
    std::function<void()> OnComm;
    // Raised once, asynchronously, when an open port fails (device pulled).
    std::function<void(const PortFault&)> OnFault;

protected:
    PortFault fault_;
};

// Sets comm up for the radio on port commPort and opens it: the line settings
// "9600,N,8,1", a 1024-byte input buffer, one byte per read, a receive event
// for every byte, input as bytes; then anything already waiting is dropped.
// The start-up port scan and every transfer open their port through here.
// False when the port would not open; comm.lastFault() says why.
bool OpenWithRadioSettings(CommControl& comm, int commPort);

}  // namespace mx615
