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

// Why a plan was not taken, and the facts each front end words it with.
struct PlanFault {
    enum class Reason {
        Unreadable,    // the file could not be read or parsed: fileError
        UnknownSuffix, // not .chann, .img or .csv
        NotACsv,       // no header row or no Frequency column: unusable
        NoChannels,    // a CSV without a channel row (it would clear all 16)
        RowsRefused,   // rows the model's band or the radio cannot store: rows
    };
    Reason reason = Reason::Unreadable;
    std::string path = {};
    std::optional<FileError> fileError = {};
    std::optional<CsvProblem> unusable = {};
    // Each refused row with its line, "name line N: what is wrong".
    std::vector<std::string> rows = {};
    // How many rows were refused, and the model (index into ModelNames)
    // whose band refused them.
    std::size_t refusedCount = 0;
    int model = 0;
    // Another model whose band takes every row.
    std::optional<int> fittingModel = {};
};

// "The file X was not opened: why", in both languages: the reason as both
// front ends state it (a file error as the reader words it). What to do next
// (the Model menu, --model) each front end says in its own terms.
Bilingual PlanFaultText(const PlanFault& fault, const ProgramState& state);

// What a load learned beside the image.
struct PlanDetails {
    PlanKind kind = PlanKind::Unknown;
    // A CSV's Name and Comment columns, which the image cannot hold.
    ChannelLabels labels = {};
    // A CSV's notes (names not stored, ...).
    std::vector<std::string> notes = {};
    // The rows that skipBad left out, as CsvProblemLines words them.
    std::vector<std::string> leftOut = {};
    // A CSV's channels that received a row, and its rows skipped for want
    // of a frequency.
    std::vector<int> channels = {};
    int skipped = 0;
    // A CSV's notices: rows placed against their Location, frequencies on no
    // channel raster (see CsvImport::notices).
    std::vector<Bilingual> notices = {};
};

// Loads the file at path into state (BuildModelTable and BuildToneTables must
// have run); on any fault state is unchanged. A CSV whose rows cannot all be
// stored is refused, unless skipBad is set: then the rows that fit are taken
// and the others are listed in details.
std::optional<PlanFault> LoadPlanFile(ProgramState& state, const std::string& path, bool skipBad = false,
                                      PlanDetails* details = nullptr);

}  // namespace mx615
