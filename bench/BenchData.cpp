#include "BenchData.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/FileSystem.h"

std::string BenchDataFolder() {
    if (const char* env = std::getenv("ZOREN_BENCH_DATA"); env && *env) return env;
    return std::string(ZOREN_SOURCE_DIR) + "/../shared/bench-data";
}

std::string ReadBenchFile(std::string_view name) {
    const std::string path = BenchDataFolder() + "/" + std::string(name);
    std::string bytes, error;
    if (!fs1251::ReadWholeFile(path, bytes, error)) {
        std::fprintf(stderr, "bench: cannot read %s: %s (set ZOREN_BENCH_DATA)\n", path.c_str(),
                     error.c_str());
        std::exit(2);
    }
    return bytes;
}

namespace {
struct Scratch {
    std::string path;
    Scratch() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zoren-bench-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("bench: mkdtemp");
            std::exit(2);
        }
        path = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};
}  // namespace

const std::string& BenchScratchFolder() {
    static Scratch scratch;
    return scratch.path;
}
