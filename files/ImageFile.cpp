#include "files/ImageFile.h"

#include "files/ChannFile.h"

namespace mx615 {

namespace {

const Bilingual kImageKind{"a radio image (1024 bytes)", "对讲机映像 (1024 字节)"};

bool endsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

bool IsRawImageName(const std::string& path)
{
    return endsWith(path, ".img") || endsWith(path, ".IMG");
}

int LinesCarried(const std::string& path)
{
    return IsRawImageName(path) ? kRadioLines : kChannFileLines;
}

std::optional<FileError> LoadImageFile(ProgramState& state, const std::string& path)
{
    std::string bytes;
    // Somewhat longer files are read, so that the message can give their size.
    if (auto fault = ReadWholeFile(path, 64 * kImageFileBytes, kImageKind, bytes))
        return fault;
    if (bytes.size() != std::size_t(kImageFileBytes))
        return FileError{{"The file " + path + " holds " + std::to_string(bytes.size()) +
                              " bytes; a radio image holds exactly 1024.",
                          "文件 " + path + " 有 " + std::to_string(bytes.size()) + " 字节；对讲机映像应恰好为 1024 字节。"}};
    for (int a = 0; a < kImageFileBytes; ++a)
        state.setByteAt(a, static_cast<unsigned char>(bytes[std::size_t(a)]));
    return std::nullopt;
}

std::string ImageFileBytes(const ProgramState& state)
{
    std::string bytes(std::size_t(kImageFileBytes), '\0');
    for (int a = 0; a < kImageFileBytes; ++a)
        bytes[std::size_t(a)] = char(state.byteAt(a));
    return bytes;
}

std::optional<FileError> SaveImageFile(const ProgramState& state, const std::string& path)
{
    return WriteFileReplacing(path, ImageFileBytes(state));
}

std::optional<FileError> LoadRadioFile(ProgramState& state, const std::string& path)
{
    return IsRawImageName(path) ? LoadImageFile(state, path) : LoadChannFile(state, path);
}

std::optional<FileError> SaveRadioFile(const ProgramState& state, const std::string& path)
{
    return IsRawImageName(path) ? SaveImageFile(state, path) : SaveChannFile(state, path);
}

}  // namespace mx615
