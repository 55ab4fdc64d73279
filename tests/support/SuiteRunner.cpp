// Runs one of the suites linked into this program, named by the first
// argument; the arguments after it go to the suite as to a program of its own.

#include "support/SuiteRunner.h"

#include <QByteArray>
#include <QList>
#include <QMetaMethod>
#include <QObject>
#include <QTest>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Entry {
    std::string_view file;
    mx615::SuiteMain main;
};

std::vector<Entry>& entries()
{
    static std::vector<Entry> list;
    return list;
}

// Whether the compiler's name for a file (absolute, or relative where a
// compiler cache shortened it) is the file below the source folder.
bool sameFile(std::string_view compiled, std::string_view belowSource)
{
    if (compiled.size() < belowSource.size() || compiled.substr(compiled.size() - belowSource.size()) != belowSource)
        return false;
    return compiled.size() == belowSource.size() || compiled[compiled.size() - belowSource.size() - 1] == '/';
}

std::vector<mx615::SuiteMain> mainsOf(const mx615::Suite& suite)
{
    std::vector<mx615::SuiteMain> found;
    std::string_view files = suite.files;
    while (!files.empty()) {
        const std::size_t end = files.find(':');
        const std::string_view file = files.substr(0, end);
        for (const Entry& e : entries())
            if (sameFile(e.file, file))
                found.push_back(e.main);
        files = end == std::string_view::npos ? std::string_view() : files.substr(end + 1);
    }
    return found;
}

// The functions QtTest runs of a test object: its private slots without
// arguments, but for the ones it calls around them and the data functions.
QList<QByteArray> testFunctionsOf(const QObject* suite)
{
    QList<QByteArray> names;
    const QMetaObject* meta = suite->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod m = meta->method(i);
        const QByteArray name = m.name();
        if (m.methodType() != QMetaMethod::Slot || m.access() != QMetaMethod::Private || m.parameterCount() != 0 ||
            m.returnType() != QMetaType::Void || name.endsWith("_data") || name == "initTestCase" ||
            name == "cleanupTestCase" || name == "init" || name == "cleanup")
            continue;
        names.append(name);
    }
    return names;
}

int usage(const char* program)
{
    std::fprintf(stderr, "usage: %s SUITE [--shard K/N] [QtTest arguments]\nsuites:", program);
    for (const mx615::Suite* s = mx615::kSuites; s->name; ++s)
        std::fprintf(stderr, " %s", s->name);
    std::fputc('\n', stderr);
    return 2;
}

}  // namespace

int mx615::execSuite(QObject* suite, int argc, char* argv[])
{
    std::vector<char*> args;
    int shard = 0, shards = 0;
    for (int i = 0; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--shard" && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%d/%d", &shard, &shards) != 2 || shards < 1 || shard < 1 || shard > shards) {
                std::fprintf(stderr, "%s: --shard takes K/N with 1 <= K <= N, not %s\n", argv[0], argv[i]);
                return 2;
            }
        } else {
            args.push_back(argv[i]);
        }
    }
    QList<QByteArray> chosen;
    if (shards > 0) {
        const QList<QByteArray> all = testFunctionsOf(suite);
        for (qsizetype i = shard - 1; i < all.size(); i += shards)
            chosen.append(all[i]);
        if (chosen.isEmpty()) {
            std::fprintf(stderr, "%s: shard %d of %d holds none of its %lld test functions\n", argv[0], shard, shards,
                         static_cast<long long>(all.size()));
            return 2;
        }
        for (QByteArray& name : chosen)
            args.push_back(name.data());
    }
    args.push_back(nullptr);
    return QTest::qExec(suite, static_cast<int>(args.size()) - 1, args.data());
}

mx615::SuiteEntry::SuiteEntry(const char* file, SuiteMain main)
{
    entries().push_back({file, main});
}

int main(int argc, char* argv[])
{
    if (argc < 2)
        return usage(argv[0]);
    const mx615::Suite* suite = nullptr;
    for (const mx615::Suite* s = mx615::kSuites; s->name; ++s)
        if (std::string_view(s->name) == argv[1])
            suite = s;
    if (!suite) {
        std::fprintf(stderr, "%s: no suite %s here\n", argv[0], argv[1]);
        return usage(argv[0]);
    }
    const std::vector<mx615::SuiteMain> mains = mainsOf(*suite);
    if (mains.size() != 1) {
        std::fprintf(stderr, "%s: suite %s has %zu main functions among %s, not one\n", argv[0], suite->name,
                     mains.size(), suite->files);
        return 2;
    }
    // The suite sees its own name where a program sees its own.
    std::vector<char*> args(argv + 1, argv + argc);
    args.push_back(nullptr);
    return mains.front()(argc - 1, args.data());
}
