// Reading and writing whole files safely, for every file the program reads
// or writes: the parameter files, the CSV, the log and the printed sheet.

#include "files/SafeFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define MX615_HAVE_POSIX 1
#endif

namespace mx615 {

namespace fs = std::filesystem;

namespace {

std::string systemReason(int error) { return std::strerror(error); }

FileError fileError(const std::string& path, const std::string& reasonEn, const std::string& reasonZh, bool writing)
{
    if (writing)
        return {{"The file " + path + " cannot be written: " + reasonEn + ".",
                 "无法写入文件 " + path + "：" + reasonZh + "。"}};
    return {{"The file " + path + " cannot be read: " + reasonEn + ".", "无法读取文件 " + path + "：" + reasonZh + "。"}};
}

// Names a pipe, a device or a folder given where a file belongs; a write
// says too that nothing was done to it.
FileError notRegularFile(const std::string& path, fs::file_type type, bool writing)
{
    Bilingual what{"not a regular file", "这不是普通文件"};
    const auto is = [&](const char* en, const char* zh) {
        what = {std::string("it is ") + en + ", not a regular file", std::string("这是") + zh + "，不是普通文件"};
    };
    switch (type) {
    case fs::file_type::directory: is("a folder (directory)", "文件夹（目录）"); break;
    case fs::file_type::fifo: is("a named pipe", "命名管道"); break;
    case fs::file_type::character: is("a device (a terminal, a port or the like)", "设备（终端、端口等）"); break;
    case fs::file_type::block: is("a block device", "块设备"); break;
    case fs::file_type::socket: is("a socket", "套接字"); break;
    default: what.en = "it is " + what.en; break;
    }
    if (writing)
        return fileError(path, what.en + "; it was left as it is", what.zh + "；未作任何改动", true);
    return fileError(path, what.en, what.zh, false);
}

// The refusal of anything but a regular file (or a link to one) at path; a
// name that does not exist passes, the open or the write says why.
std::optional<FileError> refuseNonRegular(const std::string& path, bool writing)
{
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status) || fs::is_regular_file(status))
        return std::nullopt;
    return notRegularFile(path, status.type(), writing);
}

}  // namespace

std::optional<FileError> ReadWholeFile(const std::string& path, std::size_t maxBytes, const Bilingual& kind,
                                       std::string& text)
{
    text.clear();
    const auto tooLarge = [&] {
        text.clear();
        return FileError{{"The file " + path + " is far larger than " + kind.en + "; it was not read.",
                          "文件 " + path + " 远大于" + kind.zh + "，未读取。"}};
    };
    // A pipe, a terminal or a device would block the read or never end, and
    // opening a serial port would even wake the radio on it: such a name is
    // refused before it is opened.
    if (auto fault = refuseNonRegular(path, false))
        return *fault;
#ifdef MX615_HAVE_POSIX
    // The open neither waits for a writer nor takes a terminal, and the check
    // is repeated on what was opened, in case the name changed meanwhile.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const std::string reason = systemReason(errno);
        return fileError(path, reason, reason, false);
    }
    const auto failed = [&](const FileError& fault) {
        ::close(fd);
        text.clear();
        return fault;
    };
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const std::string reason = systemReason(errno);
        return failed(fileError(path, reason, reason, false));
    }
    if (!S_ISREG(info.st_mode))
        return failed(notRegularFile(path, fs::file_type::unknown, false));
    if (std::uintmax_t(info.st_size) > maxBytes)
        return failed(tooLarge());
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const std::string reason = systemReason(errno);
            return failed(fileError(path, reason, reason, false));
        }
        text.append(buffer, std::size_t(got));
        // A file of the kernel's can tell a size of 0 and yet go on and on.
        if (text.size() > maxBytes)
            return failed(tooLarge());
    }
    ::close(fd);
    return std::nullopt;
#else
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        const std::string reason = systemReason(errno);
        return fileError(path, reason, reason, false);
    }
    char buffer[8192];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, got);
        if (text.size() > maxBytes) {
            std::fclose(file);
            return tooLarge();
        }
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        text.clear();
        return fileError(path, systemReason(error), systemReason(error), false);
    }
    return std::nullopt;
#endif
}

namespace {

// Writes text into a new temporary file beside target, on the disk when it
// returns; the caller then moves it into place.
std::optional<FileError> writeTemporary(const std::string& path, const fs::path& target, const std::string& text,
                                        fs::path& temp)
{
    std::error_code ec;
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    temp = folder / ("." + target.filename().string() + ".tmp" + std::to_string(stamp % 1000000) + "-" +
                     std::to_string(counter++));
    std::FILE* file = std::fopen(temp.c_str(), "wbx");
    if (!file) {
        const std::string reason = systemReason(errno);
        return fileError(path, reason, reason, true);
    }

    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = ok && std::fflush(file) == 0;
#ifdef MX615_HAVE_POSIX
    // The data must be on the disk before the file takes its name.
    ok = ok && ::fsync(::fileno(file)) == 0;
#endif
    int error = errno;
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        fs::remove(temp, ec);
        return fileError(path, systemReason(error), systemReason(error), true);
    }
    return std::nullopt;
}

}  // namespace

std::optional<FileError> WriteFileReplacing(const std::string& path, const std::string& text)
{
    // A pipe or a device of that name would be replaced by a plain file.
    if (auto fault = refuseNonRegular(path, true))
        return fault;
    std::error_code ec;
    fs::path target(path);
    // Replace what a link points to, not the link itself.
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec)
            target = resolved;
    }
#ifdef MX615_HAVE_POSIX
    // Renaming would replace even a write-protected file: honour the protection.
    if (fs::exists(target, ec) && !fs::is_directory(target, ec) && ::access(target.c_str(), W_OK) != 0) {
        const std::string reason = systemReason(errno);
        return fileError(path, reason, reason, true);
    }
#endif
    fs::path temp;
    if (auto fault = writeTemporary(path, target, text, temp))
        return fault;
    // The new file keeps the permissions of the one it replaces.
    const auto old = fs::status(target, ec);
    if (!ec && fs::exists(old))
        fs::permissions(temp, old.permissions(), ec);
    fs::rename(temp, target, ec);
    if (ec) {
        const std::string reason = ec.message();
        std::error_code ignored;
        fs::remove(temp, ignored);
        return fileError(path, reason, reason, true);
    }
    return std::nullopt;
}

std::optional<FileError> RefuseNonRegularFile(const std::string& path, bool writing)
{
    return refuseNonRegular(path, writing);
}

std::optional<FileError> WriteNewFile(const std::string& path, const std::string& text, bool& existed)
{
    existed = false;
    fs::path temp;
    if (auto fault = writeTemporary(path, fs::path(path), text, temp))
        return fault;
    std::error_code ec;
#ifdef MX615_HAVE_POSIX
    // The name is taken only if no file holds it: a plain rename would
    // replace that file. A rename that refuses to replace does it in one
    // step on most file systems, the FAT of a USB stick included, where hard
    // links do not exist; a hard link serves where that rename is not known.
    int linked = -1;
    int error = EINVAL;
#ifdef RENAME_NOREPLACE
    linked = ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
    error = errno;
    if (linked == 0)
        return std::nullopt;
#endif
    if (error == EINVAL || error == ENOSYS) {
        linked = ::link(temp.c_str(), path.c_str());
        error = errno;
    }
    fs::remove(temp, ec);
    if (linked == 0)
        return std::nullopt;
    existed = error == EEXIST;
    return fileError(path, systemReason(error), systemReason(error), true);
#else
    if (fs::exists(path, ec)) {
        existed = true;
        fs::remove(temp, ec);
        return fileError(path, "the file exists", "文件已存在", true);
    }
    fs::rename(temp, path, ec);
    if (!ec)
        return std::nullopt;
    fs::remove(temp, ec);
    return fileError(path, ec.message(), ec.message(), true);
#endif
}

}  // namespace mx615
