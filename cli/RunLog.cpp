#include "cli/RunLog.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>

#include "files/ImageFile.h"

namespace mx615::cli {

std::string IsoTime(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    std::string iso = text;
    // %z gives +0100; ISO 8601 with separators wants +01:00.
    if (iso.size() >= 5)
        iso.insert(iso.size() - 2, ":");
    return iso;
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::optional<std::string> RunLog::check() const
{
    // A pipe would block the run until someone reads it, a device swallow it.
    if (const auto fault = RefuseNonRegularFile(path_, true))
        return fault->text.en;
    std::FILE* file = std::fopen(path_.c_str(), "ab");
    if (!file)
        return "The file " + path_ + " cannot be written: " + std::strerror(errno) + ".";
    std::fclose(file);
    return std::nullopt;
}

std::optional<std::string> RunLog::append(const LogRow& row, std::time_t when) const
{
    if (const auto fault = RefuseNonRegularFile(path_, true))
        return fault->text.en;
    // Read too, to see how the file ends; a file that may only be written is
    // appended to without that look.
    std::FILE* file = std::fopen(path_.c_str(), "a+b");
    const bool readable = file != nullptr;
    if (!file)
        file = std::fopen(path_.c_str(), "ab");
    if (!file)
        return std::string(std::strerror(errno));
    std::string text;
    std::fseek(file, 0, SEEK_END);
    if (std::ftell(file) == 0) {
        text = "time,port,device,ident,file,result,backup,message\r\n";
    } else if (readable && std::fseek(file, -1, SEEK_END) == 0 && std::fgetc(file) != '\n') {
        // A file edited by hand may lack its last line end: the row goes on a
        // line of its own.
        text = "\r\n";
    }
    std::fseek(file, 0, SEEK_END);   // stdio wants a seek between a read and a write
    for (const std::string& field : {IsoTime(when), row.port, row.device, row.ident, row.file, row.result, row.backup})
        text += CsvField(field) + ",";
    text += CsvField(row.message) + "\r\n";
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0 &&
              ::fsync(::fileno(file)) == 0;
    // The reason of the step that failed, not what errno held before.
    int error = ok ? 0 : errno;
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok)
        return std::nullopt;
    return std::string(std::strerror(error));
}

std::optional<std::string> BackupFolderFault(const std::string& folder)
{
    namespace fs = std::filesystem;
    const std::string named = "the backup folder " + folder;
    std::error_code ec;
    const fs::file_status status = fs::status(folder, ec);
    if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
        return named + " cannot be reached: " + ec.message();
    if (!fs::exists(status))
        return named + " does not exist";
    if (!fs::is_directory(status)) {
        const fs::file_type type = status.type();
        return named + " is not a folder: it is " +
               (type == fs::file_type::regular                                      ? "a file"
                : type == fs::file_type::fifo                                       ? "a named pipe"
                : type == fs::file_type::character || type == fs::file_type::block ? "a device"
                                                                                    : "no folder");
    }
    // The mode bits do not tell it all (root, read-only mounts, /sys): a file
    // made and removed again does.
    std::string probe = (fs::path(folder) / ".mx615-backup-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return named + " cannot be written: " + std::strerror(errno);
    ::close(fd);
    ::unlink(probe.c_str());
    return std::nullopt;
}

std::string BackupName(std::time_t when, const std::string& device, int radio)
{
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    // /dev/ttyUSB0 -> ttyUSB0, /dev/pts/3 -> pts3 (what follows /dev/), any
    // other path its last name; nothing that a file name cannot hold.
    std::string name = device.rfind("/dev/", 0) == 0 ? device.substr(5) : device.substr(device.find_last_of('/') + 1);
    std::string safe;
    for (const char c : name)
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-')
            safe += c;
    char number[16];
    std::snprintf(number, sizeof number, "%03d", radio);
    return std::string(stamp) + "-" + (safe.empty() ? "port" : safe) + "-" + number + ".img";
}

std::string SaveBackup(const ProgramState& radio, const std::string& folder, const std::string& name,
                       std::optional<FileError>& fault)
{
    const std::string stem = name.substr(0, name.size() - 4);
    for (int k = 1;; ++k) {
        const std::string candidate = k == 1 ? name : stem + "-" + std::to_string(k) + ".img";
        bool existed = false;
        fault = WriteNewFile((std::filesystem::path(folder) / candidate).string(), ImageFileBytes(radio), existed);
        if (!existed)
            return candidate;
    }
}

}  // namespace mx615::cli
