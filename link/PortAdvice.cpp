#include "link/PortAdvice.h"

#include "link/PortRemedies.h"

namespace mx615 {

namespace {

std::string portName(int commPort)
{
    return "COM" + std::to_string(commPort);
}

// "COM3 (/dev/ttyUSB0)", or just "COM3" when no device is known.
std::string portWithDevice(const PortFault& fault, int commPort)
{
    const std::string name = portName(commPort);
    if (fault.device.empty() || fault.device == name)
        return name;
    return name + " (" + fault.device + ")";
}

Bilingual reason(const PortFault& fault)
{
    if (fault.reason.empty())
        return {};
    return {"The system reports: " + fault.reason + ".\n", "系统报告：" + fault.reason + "。\n"};
}

Bilingual join(const Bilingual& a, const Bilingual& b)
{
    return {a.en + b.en, a.zh + b.zh};
}

// A port the user may not open: join the group that may, where there is one.
Bilingual notPermitted(const std::string& port, const PortFault& fault)
{
    const bool groupMay = !fault.group || !fault.group->empty();
    return join(groupMay ? Bilingual{"Your user may not open " + port + ". ", "当前用户无权打开 " + port + "。"}
                         : Bilingual{"Your user may not open " + port + ", and neither may its group. ",
                                     "当前用户无权打开 " + port + "，其所属组也无权打开。"},
                NotPermittedRemedy(port, fault.group,
                                   fault.serialGroup.empty() ? kUsualSerialGroup : fault.serialGroup));
}

}  // namespace

PortTrouble OpenTrouble(const PortFault& fault, bool deviceKnown)
{
    switch (fault.error) {
    case PortError::PermissionDenied:
        return PortTrouble::NotPermitted;
    case PortError::NoSuchPort:
        return deviceKnown ? PortTrouble::DeviceMissing : PortTrouble::NoDevice;
    case PortError::Busy:
        return PortTrouble::InUse;
    case PortError::BadSettings:
        return PortTrouble::WrongSettings;
    default:
        return PortTrouble::Other;
    }
}

Bilingual PortOpenAdvice(const PortFault& fault, int commPort)
{
    const std::string name = portName(commPort);
    const std::string port = portWithDevice(fault, commPort);
    Bilingual advice;
    switch (OpenTrouble(fault, port != name)) {
    case PortTrouble::NotPermitted:
        advice = notPermitted(port, fault);
        break;
    case PortTrouble::NoDevice:
        advice = {"There is no " + name + " on this computer. Connect the programming cable, then choose "
                      "its port in the Communication menu, or list the devices to use in the environment "
                      "variable MX615_PORTS (for example MX615_PORTS=/dev/ttyUSB0).",
                  "本机没有 " + name + "。请连接写频线，然后在“端口设置”菜单中选择其端口，或在环境变量 "
                      "MX615_PORTS 中列出要使用的设备 (例如 MX615_PORTS=/dev/ttyUSB0)。"};
        break;
    case PortTrouble::DeviceMissing:
        advice = {name + " stands for " + fault.device + ", which is not there now. Check the programming "
                      "cable, or choose another port in the Communication menu (MX615_PORTS sets the list "
                      "of ports).",
                  name + " 对应 " + fault.device + "，该设备当前不存在。请检查写频线，或在“端口设置”菜单中选择其他"
                      "端口 (MX615_PORTS 可设定端口列表)。"};
        break;
    case PortTrouble::InUse:
        advice = {port + " is in use by another window or program. Close that transfer or program and try again.",
                  port + " 正被其他窗口或程序占用。请关闭后重试。"};
        break;
    case PortTrouble::WrongSettings:
        advice = {port + " does not accept the line settings 9600,N,8,1. Choose another port in the "
                         "Communication menu.",
                  port + " 不支持 9600,N,8,1 的线路设置。请在“端口设置”菜单中选择其他端口。"};
        break;
    case PortTrouble::Other:
        advice = {port + " could not be opened. Check the programming cable and the port chosen in the "
                         "Communication menu, then try again.",
                  port + " 无法打开。请检查写频线和“端口设置”菜单中选择的端口，然后重试。"};
        break;
    }
    // The doctor looks at everything at once: groups, udev, brltty, holders.
    return join(join(reason(fault), advice),
                {"\nIn a terminal, mx615-cli doctor --port " + (fault.device.empty() ? name : fault.device) +
                     " looks for what keeps the port from opening.",
                 "\n可在终端运行 mx615-cli doctor --port " + (fault.device.empty() ? name : fault.device) +
                     " 查找端口无法打开的原因。"});
}

std::string PortOpenAdviceCli(const PortFault& fault, int commPort, const std::string& device, bool pointToDoctor)
{
    const std::string shown = device.empty() ? portName(commPort) : device;
    const std::string reason = fault.reason.empty() ? std::string() : "The system reports: " + fault.reason + ". ";
    const std::string doctor =
        pointToDoctor ? " 'mx615-cli doctor --port " + shown + "' looks at everything that can stand in the way." : "";
    switch (OpenTrouble(fault, commPort == 0 || !device.empty())) {
    case PortTrouble::NotPermitted:
        return reason + notPermitted(shown, fault).en + doctor;
    case PortTrouble::NoDevice:
        return "The port table has no entry " + std::to_string(commPort) +
               ". 'mx615-cli ports' lists it; MX615_PORTS=/dev/ttyUSB0:... sets it, or give the device path.";
    case PortTrouble::DeviceMissing:
        return reason + shown + " is not there. Check the programming cable and the device name." + doctor;
    case PortTrouble::InUse:
        return reason + shown + " is in use by another program. Close it and try again." + doctor;
    case PortTrouble::WrongSettings:
        return reason + shown + " does not take the line settings 9600,N,8,1. Is it a serial port?";
    case PortTrouble::Other:
        break;
    }
    return reason + shown + " could not be opened. Check the programming cable and the device name.";
}

Bilingual PortLostAdvice(const PortFault& fault, int commPort)
{
    const std::string port = portWithDevice(fault, commPort);
    return join(reason(fault),
                {port + " stopped working in the middle of the transfer (was the cable pulled?). The transfer "
                        "was stopped. Reconnect the programming cable and try again.",
                 port + " 在传输过程中失效 (写频线是否被拔出？)。传输已停止。请重新连接写频线后重试。"});
}

Bilingual NoAnswerAdvice(int commPort, const std::string& device)
{
    const Bilingual port = PortAndDevice(commPort, device);
    return {"Check that the radio is switched on and plugged into the programming cable, that the cable is "
            "seated at both ends, and that the radio is on " + port.en +
                " (choose another port in the Communication menu). Then try again.",
            "请检查对讲机已开机并已接好写频线，写频线两端插紧，且对讲机接在 " + port.zh +
                " 上 (可在“端口设置”菜单中选择其他端口)，然后重试。"};
}

Bilingual PortAndDevice(int commPort, const std::string& device)
{
    const std::string name = portName(commPort);
    if (device.empty())
        return {name + " — no device", name + " — 无设备"};
    if (device == name)
        return {name, name};
    return {name + " — " + device, name + " — " + device};
}

}  // namespace mx615
