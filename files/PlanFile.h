#pragma once
// A file handed to the program from the desktop (named on the command line or
// dropped on the main window), told by its suffix in any letter case: a
// channel parameter file (".chann", lines 0..53 as File > Open loads them), a
// raw radio image (".img", lines 0..63) or a channel CSV (".csv", the sixteen
// channels and their scan bits for the model of the moment). A file that
// cannot be taken whole changes nothing.

#include <optional>
#include <string>
#include <vector>

#include "model/ProgramState.h"

namespace mx615 {

enum class PlanKind { Chann, Image, Csv, Unknown };

PlanKind PlanKindOf(const std::string& path);

struct PlanFault {
    // Names the file and says why it was not taken.
    Bilingual text;
    // For a CSV: every row that cannot be stored, with its line, in the
    // command-line tool's words.
    std::vector<std::string> rows;
    // For a CSV that another model's band takes: which model to choose.
    std::optional<Bilingual> hint;
};

// Loads the file at path into state (BuildModelTable and BuildToneTables must
// have run); on any fault state is unchanged.
std::optional<PlanFault> LoadPlanFile(ProgramState& state, const std::string& path);

}  // namespace mx615
