// The settings-file loader on arbitrary file contents, the register read from
// it, and the saved form read back again.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "registry/ZOREN_OBJECT_LIST.h"
#include "storage/TFastIniFile.h"
#include "storage/TFormBounds.h"

namespace {

// One file for the whole run, in a folder of the process's own, in memory
// where the system has it: the disk's write-back would otherwise set the pace.
const std::string& FilePath() {
    static const std::string path = [] {
        std::string pattern = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/zoren-fuzz-ini-XXXXXX" : "/tmp/zoren-fuzz-ini-XXXXXX";
        const char* dir = ::mkdtemp(pattern.data());
        if (!dir) std::abort();
        static std::string folder = dir;
        std::atexit([] {
            std::filesystem::remove_all(folder);
        });
        return folder + "/ZorEN_MQTT.ini";
    }();
    return path;
}

void Store(const std::string& bytes) {
    std::FILE* f = std::fopen(FilePath().c_str(), "wb");
    if (!f) std::abort();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
    std::fclose(f);
}

// Loads the file as the program does at start and gives what its close would save.
std::string RoundTrip(const std::string& bytes) {
    Store(bytes);
    TFastIniFile ini(FilePath());
    (void)ini.ReadString("Skin", "SkinName", "");
    (void)ini.ReadInteger("ListView", "ListView1_col1", 0);
    TFormBounds bounds;
    (void)ini.ReadFormBounds("TFormZorenMain", bounds);
    std::vector<int> widths(4, 10);
    ini.ReadColumns("ListView", "ListView1", widths);

    ZOREN_OBJECT_LIST list;
    list.Load(ini);
    for (int i = 0; i < list.Count(); ++i) (void)list.IsNameFree(list.Get(i)->Name, nullptr);
    list.Save(ini);
    ini.WriteFormBounds("TFormZorenMain", bounds);
    ini.WriteColumns("ListView", "ListView1", widths);
    ini.Modified = false;  // the file is the fuzzer's, not ours to rewrite
    std::string saved = ini.Serialize();

    list.Sort(1, true);
    list.Sort(3, false);
    return saved;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first save may normalise (blanks trimmed, bad credentials dropped);
    // from then on a save must read back to the same bytes.
    const std::string once = RoundTrip(std::string(reinterpret_cast<const char*>(data), size));
    const std::string twice = RoundTrip(once);
    const std::string thrice = RoundTrip(twice);
    if (thrice != twice) {
        std::fprintf(stderr, "saved settings do not read back the same\n");
        std::abort();
    }
    return 0;
}
