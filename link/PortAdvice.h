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

}  // namespace mx615
