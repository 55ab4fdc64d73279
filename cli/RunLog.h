#pragma once
// What a run of radios leaves behind beside the radios: the backups of what
// each radio held before it was written, and a CSV log with a row per radio.

#include <ctime>
#include <optional>
#include <string>

#include "files/CsvWriter.h"
#include "files/SafeFile.h"
#include "model/ProgramState.h"

namespace mx615::cli {

// "2026-12-08T11:47:42+01:00".
std::string IsoTime(std::time_t when);

// One radio's row of the log.
struct LogRow {
    std::string port;     // as the user gave it
    std::string device;   // what it stands for
    std::string ident;    // the identification reply in hex
    std::string file;     // what was written or read
    std::string result;   // written, read, differs, failed
    std::string backup;   // the backup's file name, or empty
    std::string message;  // the failure, the first differences, "not verified"
};

// The log's fields go through the program's one CSV writer.
using mx615::CsvField;

// This machine's name, which each row of a log carries as its station, so
// that the logs of several benches can be put together.
std::string StationName();

// Appends rows to a CSV file, the header first when the file is new or
// empty, and counts the rows that could not be written. Every row is on the
// disk when append() returns; a row that fails leaves nothing of itself in
// the file. A log whose header has no station column (begun before there was
// one) is appended to in its own columns.
class RunLog {
public:
    explicit RunLog(std::string path, std::string station = StationName())
        : path_(std::move(path)), station_(std::move(station))
    {
    }
    // Whether the file can be appended to; when not, a sentence that says why.
    std::optional<std::string> check() const;
    // A file that holds something else than a log of this tool (a plan, a
    // channel list): a sentence that says so. A new or empty file is none.
    std::optional<std::string> foreign() const;
    // The system's reason when the row could not be written.
    std::optional<std::string> append(const LogRow& row, std::time_t when);

    const std::string& path() const { return path_; }
    int rows() const { return rows_; }
    int unwritten() const { return unwritten_; }

private:
    std::optional<std::string> write(const LogRow& row, std::time_t when) const;

    std::string path_;
    std::string station_;
    int rows_ = 0;
    int unwritten_ = 0;
};

// The system's reason ("Permission denied") when no new file can be made in
// folder, or nothing when one can. The mode bits do not tell it all (root,
// read-only mounts, /sys): a file made and removed again does.
std::optional<std::string> FolderWriteFault(const std::string& folder);

// Why backups cannot be saved in folder ("the backup folder X does not
// exist", "... is not a folder: it is a file", "... cannot be written:
// Permission denied"), or nothing when they can. Asked before any radio is
// touched, so that no radio's memory is read in vain.
std::optional<std::string> BackupFolderFault(const std::string& folder);

// The backup's name: date and time, the device made safe for a file name,
// the radio's number in the run ("20261208-114742-ttyUSB0-001.img").
std::string BackupName(std::time_t when, const std::string& device, int radio);

// Saves the radio's memory (RadioImage lines 0..63, 1024 bytes) in folder
// under name, or under name with "-2", "-3", ... when a file of that name
// exists: never over a file. Returns the name used.
std::string SaveBackup(const ProgramState& radio, const std::string& folder, const std::string& name,
                       std::optional<FileError>& fault);

}  // namespace mx615::cli
