#pragma once
// The machine's serial ports and USB devices as the kernel lists them in
// sysfs. Everything is read below a root folder ("/" on the machine), so
// tests hand it a fake tree; no device is opened, since opening a port raises
// its modem lines.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace mx615 {

// USB vendor and product id.
using UsbIds = std::pair<uint16_t, uint16_t>;

// A device on the USB bus, as /sys/bus/usb/devices lists it.
struct UsbDevice {
    std::string name;       // "1-2", the name the kernel log gives it as well
    UsbIds ids;
    bool hasPort = false;   // a tty came of it (ttyUSB0, ttyACM0, ttyCH341USB0, ...)
};

class DeviceTree {
public:
    explicit DeviceTree(std::string root = "/");

    // An absolute system path below the root.
    std::string at(const std::string& absolute) const;
    // The root as a prefix: "" for the machine's own.
    const std::string& root() const { return root_; }

    // The machine's serial ports as /dev paths: every tty with a device
    // behind it, less the on-board ports the kernel lists for UARTs that are
    // not fitted (type 0).
    std::vector<std::string> serialPorts() const;
    // What sysfs says of the USB device a tty hangs from: whether a USB
    // interface or device is among its parents, and that device's vendor and
    // product ids; nothing when sysfs knows nothing of the tty.
    struct UsbParent {
        bool found = false;
        std::optional<UsbIds> ids;
    };
    std::optional<UsbParent> usbParent(const std::string& device) const;
    // Every device on the USB bus with its ids (hubs and root hubs too).
    std::vector<UsbDevice> usbDevices() const;

private:
    std::string root_;
};

}  // namespace mx615
