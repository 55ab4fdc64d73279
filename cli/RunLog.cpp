#include "cli/RunLog.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
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

namespace {

constexpr const char* kHeader = "time,port,device,ident,file,result,backup,message";

// The file's first line, cut at its first \n (a \r before it stays), from
// its first 4 KB; nothing when the file holds no byte or cannot be read.
std::optional<std::string> headerLine(int fd)
{
    std::string head(4096, '\0');
    const ssize_t got = ::pread(fd, head.data(), head.size(), 0);
    if (got <= 0)
        return std::nullopt;
    head.resize(std::size_t(got));
    return head.substr(0, head.find('\n'));
}

// Whether the first line of the file names a station column.
bool namesStation(int fd)
{
    const std::string head = headerLine(fd).value_or(std::string());
    for (std::size_t start = 0; start <= head.size();) {
        const std::size_t end = std::min(head.find(',', start), head.size());
        std::string field = head.substr(start, end - start);
        while (!field.empty() && (field.back() == '\r' || field.back() == ' '))
            field.pop_back();
        if (field == "station")
            return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

std::optional<std::string> RunLog::foreign() const
{
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;   // a new file; check() tells whether it can be made
    std::optional<std::string> line = headerLine(fd);
    ::close(fd);
    if (!line)
        return std::nullopt;
    std::string& first = *line;
    if (!first.empty() && first.back() == '\r')
        first.pop_back();
    // A log begun before the station column keeps its header.
    if (first == kHeader || first == std::string(kHeader) + ",station")
        return std::nullopt;
    return "The file " + path_ + " is not a log of mx615-cli (its first line is not the log's header \"" + kHeader +
           ",station\"); rows appended to it would spoil it. Name a new file, or a log this tool began.";
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

std::string StationName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

std::optional<std::string> RunLog::append(const LogRow& row, std::time_t when)
{
    ++rows_;
    auto fault = write(row, when);
    if (fault)
        ++unwritten_;
    return fault;
}

std::optional<std::string> RunLog::write(const LogRow& row, std::time_t when) const
{
    if (const auto fault = RefuseNonRegularFile(path_, true))
        return fault->text.en;
    // Read too, to see the header and how the file ends; a file that may only
    // be written is appended to without that look, in today's columns.
    int fd = ::open(path_.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    const bool readable = fd >= 0;
    if (fd < 0)
        fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return std::string(std::strerror(errno));
    struct stat info {};
    const off_t size = ::fstat(fd, &info) == 0 ? info.st_size : -1;
    std::string text;
    bool station = true;
    if (size == 0) {
        text.assign(kHeader).append(",station\r\n");
    } else if (readable && size > 0) {
        station = namesStation(fd);
        // A file edited by hand may lack its last line end: the row goes on a
        // line of its own.
        char last = '\n';
        if (::pread(fd, &last, 1, size - 1) == 1 && last != '\n')
            text = "\r\n";
    }
    std::vector<std::string> fields{IsoTime(when), row.port, row.device, row.ident, row.file, row.result, row.backup,
                                    row.message};
    if (station)
        fields.push_back(station_);
    text += CsvRow(fields);

    int error = 0;
    for (std::size_t done = 0; done < text.size() && !error;) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno != EINTR)
            error = errno;
        else if (wrote > 0)
            done += std::size_t(wrote);
    }
    if (!error && ::fsync(fd) != 0)
        error = errno;
    // A full disk may have taken part of the row: the log is cut back to what
    // it was, so that a later row does not follow half of this one. Should
    // that fail too, the write's reason is the one to tell.
    if (error && size >= 0)
        static_cast<void>(!::ftruncate(fd, size));
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error)
        return std::nullopt;
    return std::string(std::strerror(error));
}

std::optional<std::string> FolderWriteFault(const std::string& folder)
{
    std::string probe = (std::filesystem::path(folder) / ".mx615-probe-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return std::string(std::strerror(errno));
    ::close(fd);
    ::unlink(probe.c_str());
    return std::nullopt;
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
    if (const auto fault = FolderWriteFault(folder))
        return named + " cannot be written: " + *fault;
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
