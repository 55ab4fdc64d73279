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

#include "files/ChannelCsv.h"
#include "files/SafeFile.h"
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
    // That model (index into ModelNames), for the command-line tool's words.
    std::optional<int> fittingModel;
    // When the file could not be read or parsed: the reader's own error,
    // which the command-line tool shows as it always has.
    std::optional<FileError> readError;
};

// What a load learned beside the image.
struct PlanDetails {
    PlanKind kind = PlanKind::Unknown;
    // A CSV's Name and Comment columns, which the image cannot hold.
    ChannelLabels labels;
    // A CSV's notes (names not stored, ...).
    std::vector<std::string> notes;
    // The rows that skipBad left out, as CsvProblemLines words them.
    std::vector<std::string> leftOut;
};

// Loads the file at path into state (BuildModelTable and BuildToneTables must
// have run); on any fault state is unchanged. A CSV whose rows cannot all be
// stored is refused, unless skipBad is set: then the rows that fit are taken
// and the others are listed in details.
std::optional<PlanFault> LoadPlanFile(ProgramState& state, const std::string& path, bool skipBad = false,
                                      PlanDetails* details = nullptr);

}  // namespace mx615
