#include "link/DeviceTree.h"

#include <filesystem>

#include "link/SystemFiles.h"

namespace fs = std::filesystem;

namespace mx615 {

namespace {

std::optional<uint16_t> hexId(const fs::path& path)
{
    const std::string text = FirstLineOf(path.string());
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return std::nullopt;
    return uint16_t(std::stoul(text, nullptr, 16));
}

std::optional<UsbIds> idsIn(const fs::path& folder)
{
    const auto vendor = hexId(folder / "idVendor");
    const auto product = hexId(folder / "idProduct");
    if (vendor && product)
        return UsbIds{*vendor, *product};
    return std::nullopt;
}

// Whether a tty was made below a USB device's folder: usb-serial puts it at
// 1-2:1.0/ttyUSB0, cdc-acm and vendor drivers at 1-2:1.0/tty/ttyACM0. Links
// (driver, subsystem, port) lead elsewhere and are not followed.
bool hasTty(const fs::path& folder)
{
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it.depth() > 3) {
            it.disable_recursion_pending();
            continue;
        }
        std::error_code kind;
        if (it->is_symlink(kind) || !it->is_directory(kind))
            continue;
        if (it->path().filename().string().rfind("tty", 0) == 0)
            return true;
    }
    return false;
}

}  // namespace

DeviceTree::DeviceTree(std::string root) : root_(std::move(root))
{
    while (!root_.empty() && root_.back() == '/')
        root_.pop_back();
}

std::string DeviceTree::at(const std::string& absolute) const
{
    return root_ + absolute;
}

std::vector<std::string> DeviceTree::serialPorts() const
{
    std::vector<std::string> ports;
    std::error_code ec;
    for (fs::directory_iterator it(at("/sys/class/tty"), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code linkError;
        if (!fs::exists(it->path() / "device", linkError))
            continue;   // a virtual console or a pseudo-terminal
        if (FirstLineOf((it->path() / "type").string()) == "0")
            continue;   // an on-board port the kernel reserves, with no UART fitted
        ports.push_back("/dev/" + name);
    }
    return ports;
}

std::optional<DeviceTree::UsbParent> DeviceTree::usbParent(const std::string& device) const
{
    // /sys/class/tty/NAME/device is the port's device; a USB interface
    // (bInterfaceNumber) and the USB device with its ids are that folder or
    // its parents.
    // A link such as /dev/serial/by-id/usb-...-port0 is known by the device
    // it leads to.
    std::error_code ec;
    fs::path folder = fs::canonical(at("/sys/class/tty/" + fs::path(device).filename().string() + "/device"), ec);
    if (ec) {
        const fs::path target = fs::canonical(at(device), ec);
        if (ec)
            return std::nullopt;
        folder = fs::canonical(at("/sys/class/tty/" + target.filename().string() + "/device"), ec);
        if (ec)
            return std::nullopt;
    }
    UsbParent parent;
    for (int up = 0; up < 4 && !folder.empty(); ++up, folder = folder.parent_path()) {
        if (const auto ids = idsIn(folder)) {
            parent.found = true;
            parent.ids = ids;
            break;
        }
        parent.found = parent.found || fs::exists(folder / "bInterfaceNumber", ec);
        if (folder == folder.root_path())
            break;
    }
    return parent;
}

std::vector<UsbDevice> DeviceTree::usbDevices() const
{
    std::vector<UsbDevice> devices;
    std::error_code ec;
    for (fs::directory_iterator it(at("/sys/bus/usb/devices"), ec), end; !ec && it != end; it.increment(ec))
        if (const auto ids = idsIn(it->path()))
            devices.push_back({it->path().filename().string(), *ids, hasTty(it->path())});
    return devices;
}

}  // namespace mx615
