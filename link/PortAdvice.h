#pragma once
// What the user reads beneath a port error: the system's reason and what to do
// about it, in both interface languages.

#include "link/CommControl.h"
#include "model/ProgramState.h"

namespace mx615 {

// Why a port would not open, as both front ends explain it.
enum class PortTrouble {
    NotPermitted,   // the device exists, the user may not open it
    NoDevice,       // COMn stands for no device on this machine
    DeviceMissing,  // the device COMn stands for (or the path given) is not there
    InUse,          // another window or program holds it
    WrongSettings,  // it does not take the radio's line settings
    Other,
};
// deviceKnown: the user named a device, or COMn stands for one.
PortTrouble OpenTrouble(const PortFault& fault, bool deviceKnown);

// A port that could not be opened, for the windows: the remedies point at the
// Communication menu. commPort is the number the user chose.
Bilingual PortOpenAdvice(const PortFault& fault, int commPort);

// The same for mx615-cli, whose remedies point at 'mx615-cli ports' and
// device paths. commPort: n of COMn, 0 when a path was given; device: the path
// opened, or what COMn stands for (empty: nothing). pointToDoctor: end with a
// pointer to mx615-cli doctor (not from inside the doctor).
// Both advise joining the device's group (fault.group) only where that helps.
std::string PortOpenAdviceCli(const PortFault& fault, int commPort, const std::string& device,
                              bool pointToDoctor = true);

// A port that vanished while a transfer was using it.
Bilingual PortLostAdvice(const PortFault& fault, int commPort);

// A radio that did not answer, or not as it should, through all attempts.
// device is what COMn stands for on this machine (may be empty).
Bilingual NoAnswerAdvice(int commPort, const std::string& device);

// "COM1 — /dev/ttyUSB0", or "COM1 — no device" when COMn stands for nothing.
Bilingual PortAndDevice(int commPort, const std::string& device);

}  // namespace mx615
