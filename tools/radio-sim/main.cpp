// mx615-radio-sim: plays an MX-615 radio on a pseudo-terminal, so the
// programming tool can be tried and measured without a radio.

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>

#include "PtyRadio.h"
#include "adjust/AdjustTable.h"
#include "files/SafeFile.h"
#include "model/ProgramState.h"
#include "model/RadioDefaults.h"

namespace {

std::atomic<bool> g_stop{false};

void onSignal(int)
{
    g_stop = true;
}

const char* kUsage =
    "Usage: mx615-radio-sim [options]\n"
    "Plays an MX-615 radio on a pseudo-terminal. Prints the device to use, e.g.\n"
    "  MX615_PORTS=/dev/pts/7\n"
    "then answers the programming tool until interrupted (Ctrl+C).\n"
    "\n"
    "Options:\n"
    "  --image FILE        load the 1024-byte radio memory from FILE (if it exists) and\n"
    "                      save it there after every write session and on exit; a file\n"
    "                      that is not a 1024-byte image is neither used nor overwritten\n"
    "  --baud N            reproduce the timing of an N-baud line (9600: 1.04 ms a byte)\n"
    "  --link PATH         also make PATH a symbolic link to the device\n"
    "  --delay MS          answer every request MS milliseconds late\n"
    "  --answer-final-ack MS\n"
    "                      answer the last 06 of a read with a 06 of its own, as real\n"
    "                      radios do, MS milliseconds after the end byte (0: at once);\n"
    "                      a transfer that follows on the port at once meets it\n"
    "  --silent            never answer the identification request\n"
    "  --wrong-ident       answer the identification with AB .. BB\n"
    "  --drop-reply K      give no reply to read request K (1..16; 1..3 when adjusting)\n"
    "  --truncate-reply K  send the reply to read request K 10 bytes short\n"
    "  --garble-reply K    invert the data bytes of the reply to read request K\n"
    "  --long-reply K      send 20 extra bytes after the reply to read request K\n"
    "  --shift-reply K     send 4 stray bytes ahead of the reply to read request K\n"
    "  --refuse-frame N    answer write frame N (0..48; 0..10 when adjusting) with 15\n"
    "                      instead of 06\n"
    "  --omit-ack          leave out the 06 ahead of the replies to requests 2..16\n"
    "  --hang-up-after N   close the pseudo-terminal after N requests or frames\n"
    "  --attempts N        misbehave in the first N sessions only (default 1; 0: always)\n"
    "  --quiet             print nothing but the device line\n"
    "  --help              show this text\n";

mx615::sim::Memory defaultMemory()
{
    // The program's own start-up image with recognisable channel frequencies,
    // so a read visibly changes the channel table.
    mx615::ProgramState state;
    mx615::FillStartupImage(state);
    mx615::sim::Memory memory{};
    for (int a = 0; a < mx615::sim::kMemorySize; ++a)
        memory[a] = uint8_t(state.byteAt(a));
    for (int n = 1; n <= 16; ++n) {
        // 440.125 + n MHz, receive and transmit, as packed BCD, 10 Hz units.
        const long code = 44012500L + n * 100000L;
        for (int half = 0; half < 2; ++half) {
            long rest = code;
            for (int b = 0; b < 4; ++b) {
                const int two = int(rest % 100);
                rest /= 100;
                memory[n * 16 + half * 4 + b] = uint8_t(((two / 10) << 4) | (two % 10));
            }
        }
    }
    // The adjustment area 0x340..0x3EF: start-up values, but with a version
    // text and high-power settings of its own, so an adjustment read shows.
    mx615::FillAdjustStartup(state);
    const std::string version = "SIM615";
    for (int b = 0; b < 6; ++b)
        state.AdjustTable[3][b] = int16_t(version[b]);
    for (int k = 0; k < mx615::kFrequencyPoints; ++k)
        state.AdjustTable[1][k] = int16_t(100 + k);
    for (int line = 0; line < mx615::kAdjustLines; ++line)
        for (int b = 0; b < 16; ++b)
            memory[mx615::AdjustFrameAddress(line) + b] = uint8_t(state.AdjustTable[line][b]);
    return memory;
}

enum class ImageFile { Missing, Loaded, Unusable };

// A file that exists but is not a radio image (wrong size, unreadable, a
// folder, a pipe, a device) is Unusable: it is neither loaded nor ever
// overwritten.
ImageFile loadImage(const std::string& path, mx615::sim::Memory& memory)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec)
        return ImageFile::Missing;
    std::string data;
    if (auto fault = mx615::ReadWholeFile(path, 64 * memory.size(), {"a radio image", "对讲机映像"}, data)) {
        std::cerr << "mx615-radio-sim: " << fault->text.en << " Not used, and not overwritten.\n";
        return ImageFile::Unusable;
    }
    if (data.size() != memory.size()) {
        std::cerr << "mx615-radio-sim: " << path << " holds " << data.size() << " bytes, not "
                  << memory.size() << "; not used, and not overwritten\n";
        return ImageFile::Unusable;
    }
    std::memcpy(memory.data(), data.data(), memory.size());
    return ImageFile::Loaded;
}

// Through a temporary file renamed over the old one: an interrupted save
// keeps it.
void saveImage(const std::string& path, const mx615::sim::Memory& memory)
{
    const std::string bytes(reinterpret_cast<const char*>(memory.data()), memory.size());
    if (auto fault = mx615::WriteFileReplacing(path, bytes))
        std::cerr << "mx615-radio-sim: " << fault->text.en << "\n";
}

// "1 read", "16 reads".
std::string counted(int count, const std::string& word)
{
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

bool number(const char* text, int& out)
{
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!text[0] || *end || v < 0 || v > 1'000'000)
        return false;
    out = int(v);
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    mx615::sim::PtyRadio pty;
    mx615::sim::Misbehaviour& m = pty.radio.misbehave;
    std::string image, link;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](int& out) {
            if (i + 1 >= argc || !number(argv[i + 1], out)) {
                std::cerr << "mx615-radio-sim: " << arg << " needs a number\n";
                std::exit(2);
            }
            ++i;
        };
        auto text = [&](std::string& out) {
            if (i + 1 >= argc) {
                std::cerr << "mx615-radio-sim: " << arg << " needs a value\n";
                std::exit(2);
            }
            out = argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--image") text(image);
        else if (arg == "--link") text(link);
        else if (arg == "--baud") value(pty.baud);
        else if (arg == "--delay") value(pty.replyDelayMs);
        else if (arg == "--answer-final-ack") value(pty.radio.finalAckAnswerMs);
        else if (arg == "--silent") m.silent = true;
        else if (arg == "--wrong-ident") m.wrongIdent = true;
        else if (arg == "--drop-reply") value(m.dropReply);
        else if (arg == "--truncate-reply") value(m.truncateReply);
        else if (arg == "--garble-reply") value(m.garbleReply);
        else if (arg == "--long-reply") value(m.longReply);
        else if (arg == "--shift-reply") value(m.shiftReply);
        else if (arg == "--refuse-frame") value(m.refuseFrame);
        else if (arg == "--omit-ack") m.omitLaterAck = true;
        else if (arg == "--hang-up-after") value(m.hangUpAfter);
        else if (arg == "--attempts") value(m.attempts);
        else if (arg == "--quiet") pty.log = false;
        else {
            std::cerr << "mx615-radio-sim: unknown option " << arg << "\n" << kUsage;
            return 2;
        }
    }

    mx615::sim::Memory& memory = pty.radio.memory;
    const ImageFile loaded = image.empty() ? ImageFile::Missing : loadImage(image, memory);
    if (loaded != ImageFile::Loaded)
        memory = defaultMemory();
    // Saving replaces the file: only one that held an image, or none at all.
    if (loaded == ImageFile::Unusable)
        image.clear();

    if (!pty.open()) {
        std::cerr << "mx615-radio-sim: " << pty.error() << "\n";
        return 1;
    }
    if (!link.empty()) {
        ::unlink(link.c_str());
        if (::symlink(pty.devicePath().c_str(), link.c_str()) != 0)
            std::cerr << "mx615-radio-sim: cannot link " << link << ": " << std::strerror(errno) << "\n";
    }
    std::cout << "MX615_PORTS=" << pty.devicePath() << std::endl;

    const bool verbose = pty.log;
    pty.radio.sessionEnded = [&](bool wrote) {
        if (verbose)
            std::cerr << "mx615-radio-sim: session ended (" << counted(pty.radio.identifications, "identification")
                      << ", " << counted(pty.radio.readRequests, "read") << ", "
                      << counted(pty.radio.framesTaken, "frame") << " so far)\n";
        if (wrote && !image.empty())
            saveImage(image, memory);
    };

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);

    const bool ok = pty.run(g_stop);
    if (!ok)
        std::cerr << "mx615-radio-sim: " << pty.error() << "\n";
    pty.hangUp();
    if (!link.empty())
        ::unlink(link.c_str());
    if (!image.empty())
        saveImage(image, memory);
    return ok ? 0 : 1;
}
