// The normal build's driver of a fuzz target: it replays the checked-in seed
// corpus, then a fixed number of inputs made from it by a seeded random
// generator (byte flips, insertions, deletions, splices, random runs), so
// every test run exercises the target in seconds and always the same way.
//
//   fuzz_TARGET CORPUS-FOLDER [COUNT]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "FuzzCheck.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes mutate(const std::vector<Bytes>& corpus, std::mt19937& random)
{
    auto pick = [&](std::size_t n) { return n == 0 ? std::size_t(0) : std::size_t(random() % n); };
    Bytes input = corpus.empty() ? Bytes{} : corpus[pick(corpus.size())];
    const int edits = 1 + int(random() % 8);
    for (int e = 0; e < edits; ++e) {
        switch (random() % 6) {
        case 0:  // flip a byte
            if (!input.empty())
                input[pick(input.size())] = uint8_t(random());
            break;
        case 1:  // insert a random run
            input.insert(input.begin() + long(pick(input.size() + 1)), std::size_t(1 + random() % 16), uint8_t(random()));
            break;
        case 2:  // delete a run
            if (!input.empty()) {
                const std::size_t at = pick(input.size());
                input.erase(input.begin() + long(at), input.begin() + long(std::min(input.size(), at + 1 + random() % 16)));
            }
            break;
        case 3:  // splice in part of another seed
            if (!corpus.empty()) {
                const Bytes& other = corpus[pick(corpus.size())];
                const std::size_t from = pick(other.size() + 1);
                const std::size_t length = std::min<std::size_t>(other.size() - from, random() % 64);
                input.insert(input.begin() + long(pick(input.size() + 1)), other.begin() + long(from),
                             other.begin() + long(from + length));
            }
            break;
        case 4:  // cut the tail
            input.resize(pick(input.size() + 1));
            break;
        default:  // a digit, a separator or a sign where a number was
            if (!input.empty())
                input[pick(input.size())] = uint8_t("0123456789 ,.-+\r\n\t"[random() % 18]);
            break;
        }
    }
    return input;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER [COUNT]\n", argv[0]);
        return 2;
    }
    const int count = argc > 2 ? std::atoi(argv[2]) : 2000;
    std::vector<Bytes> corpus;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1]))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        std::ifstream in(path, std::ios::binary);
        corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    for (const Bytes& seed : corpus)
        LLVMFuzzerTestOneInput(seed.data(), seed.size());
    std::mt19937 random(0x615u);
    for (int i = 0; i < count; ++i) {
        const Bytes input = mutate(corpus, random);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%zu seeds and %d generated inputs replayed, every invariant held\n", corpus.size(), count);
    return 0;
}
