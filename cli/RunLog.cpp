#include "cli/RunLog.h"

#include <cerrno>
#include <cstdio>
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
    std::FILE* file = std::fopen(path_.c_str(), "ab");
    if (!file)
        return std::string(std::strerror(errno));
    std::string text;
    std::fseek(file, 0, SEEK_END);
    if (std::ftell(file) == 0)
        text = "time,port,device,ident,file,result,backup,message\r\n";
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
