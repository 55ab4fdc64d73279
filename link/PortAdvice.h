#pragma once
// What the user reads beneath a port error: the system's reason and what to do
// about it, in both interface languages.

#include "link/CommControl.h"
#include "model/ProgramState.h"

namespace mx615 {

// A port that could not be opened. commPort is the number the user chose.
Bilingual PortOpenAdvice(const PortFault& fault, int commPort);

// A port that vanished while a transfer was using it.
Bilingual PortLostAdvice(const PortFault& fault, int commPort);

// A radio that did not answer, or not as it should, through all attempts.
// device is what COMn stands for on this machine (may be empty).
Bilingual NoAnswerAdvice(int commPort, const std::string& device);

// "COM1 — /dev/ttyUSB0", or "COM1 — no device" when COMn stands for nothing.
Bilingual PortAndDevice(int commPort, const std::string& device);

}  // namespace mx615
