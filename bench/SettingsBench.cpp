// The settings engine against inih (load) and SimpleIni (load, lookup, save),
// on a realistic 6 KB settings file and on a register of 10,000 controllers.
// Our Save replaces the file atomically with fsync; SimpleIni's SaveFile just
// writes. So saving is measured three ways: serialisation to memory, both
// with the same atomic file handling, and each library's own file save.
// The first benchmark of each case is ours; a peer's "target" counter is the
// speed ratio ours must reach against it (shown by zoren_bench_table).
#include "BenchData.h"
#include "platform/FileSystem.h"
#include "registry/ZOREN_OBJECT_LIST.h"
#include "storage/TFastIniFile.h"

// The texts are 1251 bytes: no UTF-8 conversion, as the program keeps them.
#define SI_NO_CONVERSION
#include <SimpleIni.h>
#include <benchmark/benchmark.h>
#include <ini.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

struct IniInput {
    std::string name;
    std::string path;
    std::size_t bytes = 0;
    std::vector<std::pair<std::string, std::string>> keys;  // every (section, key) once
};

// 1251 bytes, as the program writes them.
const char* const kPlaces[] = {
    "\xC6\xCA \xD1\xEE\xEB\xED\xE5\xF7\xED\xFB\xE9",               // ЖК Солнечный
    "\xC1\xC6 \xCC\xE8\xF0\xE0 \xEF\xF0., 12",                     // БЖ Мира пр., 12
    "\xD8\xEA\xEE\xEB\xE0 \xB9 5, \xEA\xEE\xF0\xEF\xF3\xF1 \xC1",  // Школа № 5, корпус Б
    "\xD2\xD6 \xC3\xE0\xEB\xE0\xEA\xF2\xE8\xEA\xE0"};              // ТЦ Галактика
const char* const kComments[] = {"\xEB\xE8\xF4\xF2\xFB 1-3, \xEF\xEE\xE4\xE2\xE0\xEB",  // лифты 1-3, подвал
                                 "\xEF\xF3\xF1\xEA 2024",                               // пуск 2024
                                 "",
                                 "\xE4\xEE\xF1\xF2\xF3\xEF \xF7\xE5\xF0\xE5\xE7 VPN"};  // доступ через VPN

void AddControllers(ZOREN_OBJECT_LIST& list, int count) {
    for (int i = 0; i < count; ++i) {
        ZOREN_OBJECT* r = list.New();
        r->Name = std::string(kPlaces[i % 4]) + " " + std::to_string(i + 1);
        r->Ip = "10." + std::to_string(i / 65536 % 256) + "." + std::to_string(i / 256 % 256) + "." +
                std::to_string(i % 256);
        r->Path = "/home/engineer/.local/share/ZorEN_MQTT/Objects/" + FolderName(r->Name);
        r->Comment = kComments[i % 4];
        r->MqttId = 1000 + i;
        r->MqttIndex = i % 16;
        r->Login = i % 3 ? "admin" : "";
        r->Password = i % 3 ? "Zr-" + std::to_string(i * 7919 % 100000) : "";
    }
}

// Writes the file the way the program does and lists its keys.
IniInput MakeIni(std::string name, int controllers, bool windows) {
    IniInput in;
    in.name = std::move(name);
    in.path = BenchScratchFolder() + "/" + in.name + ".ini";
    {
        TFastIniFile ini(in.path, true);
        if (windows) {
            ini.WriteString("Skin", "SkinDirectory", "/usr/share/zoren-mqtt/skins");
            ini.WriteString("Skin", "SkinName", "Office2019 Dark");
            ini.WriteInteger("Skin", "SkinActive", 1);
            ini.WriteColumns("ListView", "ListView1", {40, 220, 120, 80, 60, 260, 90});
            for (const char* form : {"TFormZorenMain", "FormEditor", "FormJsonEditor", "FormAddDev",
                                     "FormAbout", "FormUpgrade", "FormUpgradeLoad"})
                ini.WriteFormBounds(form, {120, 80, 1024, 700});
            ini.WriteInteger("FormJsonEditor", "PanelLeftWidth", 280);
            ini.WriteInteger("FormJsonEditor", "SplitterTop", 410);
            ini.WriteInteger("FormJsonEditor", "FontSize", 10);
        }
        ZOREN_OBJECT_LIST list;
        AddControllers(list, controllers);
        list.Save(ini);
        if (!ini.Save()) {
            std::fprintf(stderr, "bench: cannot write %s\n", in.path.c_str());
            std::exit(2);
        }
        for (int s = 0; s < ini.SectionCount(); ++s) {
            const TIniSection* section = ini.SectionAt(s);
            for (int p = 0; p < section->ParamCount(); ++p)
                in.keys.emplace_back(section->Name(), section->ParamAt(p)->Key());
        }
    }
    std::string bytes, error;
    fs1251::ReadWholeFile(in.path, bytes, error);
    in.bytes = bytes.size();
    std::fprintf(stderr, "bench: %s.ini %zu bytes, %zu entries\n", in.name.c_str(), in.bytes, in.keys.size());
    return in;
}

void Bytes(benchmark::State& state, const IniInput& in) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(in.bytes));
}

void LoadSimpleIni(benchmark::State& state, CSimpleIniA& ini, const IniInput& in) {
    if (ini.LoadFile(in.path.c_str()) < 0) state.SkipWithError("SimpleIni cannot load");
}

// --- load ---

void OursLoad(benchmark::State& state, const IniInput* in) {
    for (auto _ : state) {
        TFastIniFile ini(in->path);
        if (ini.Failed) state.SkipWithError("TFastIniFile cannot load");
        benchmark::DoNotOptimize(ini.SectionCount());
    }
    Bytes(state, *in);
}

struct InihEntry {
    std::string section, key, value;
};

void InihLoad(benchmark::State& state, const IniInput* in) {
    state.counters["target"] = 1.0;
    for (auto _ : state) {
        // inih only calls back; keeping the entries makes it a load like ours.
        std::vector<InihEntry> entries;
        auto handler = [](void* user, const char* section, const char* key, const char* value) -> int {
            static_cast<std::vector<InihEntry>*>(user)->push_back({section, key, value});
            return 1;
        };
        if (ini_parse(in->path.c_str(), handler, &entries) != 0) state.SkipWithError("inih cannot load");
        benchmark::DoNotOptimize(entries.size());
    }
    Bytes(state, *in);
}

void SimpleIniLoad(benchmark::State& state, const IniInput* in) {
    for (auto _ : state) {
        CSimpleIniA ini;
        LoadSimpleIni(state, ini, *in);
        benchmark::DoNotOptimize(ini.IsEmpty());
    }
    Bytes(state, *in);
}

// --- every key looked up once ---

void OursLookup(benchmark::State& state, const IniInput* in) {
    TFastIniFile ini(in->path);
    for (auto _ : state) {
        std::size_t total = 0;
        for (const auto& [section, key] : in->keys) total += ini.ReadString(section, key, "").size();
        benchmark::DoNotOptimize(total);
    }
}

void SimpleIniLookup(benchmark::State& state, const IniInput* in) {
    CSimpleIniA ini;
    LoadSimpleIni(state, ini, *in);
    for (auto _ : state) {
        std::size_t total = 0;
        for (const auto& [section, key] : in->keys) {
            // Copied into a string as ours returns one.
            std::string value = ini.GetValue(section.c_str(), key.c_str(), "");
            total += value.size();
        }
        benchmark::DoNotOptimize(total);
    }
}

// --- serialisation to memory ---

void OursSerialize(benchmark::State& state, const IniInput* in) {
    TFastIniFile ini(in->path);
    for (auto _ : state) benchmark::DoNotOptimize(ini.Serialize().size());
    Bytes(state, *in);
}

void SimpleIniSerialize(benchmark::State& state, const IniInput* in) {
    state.counters["target"] = 1.5;
    CSimpleIniA ini;
    LoadSimpleIni(state, ini, *in);
    for (auto _ : state) {
        std::string out;
        ini.Save(out);
        benchmark::DoNotOptimize(out.size());
    }
    Bytes(state, *in);
}

// --- saving with the same atomic file handling (temporary file, fsync, rename) ---

void OursSaveAtomic(benchmark::State& state, const IniInput* in) {
    TFastIniFile ini(in->path);
    const std::string target = in->path + ".ours";
    ini.FileName = target;
    for (auto _ : state)
        if (!ini.Save()) state.SkipWithError("TFastIniFile cannot save");
    Bytes(state, *in);
}

void SimpleIniSaveAtomic(benchmark::State& state, const IniInput* in) {
    state.counters["target"] = 1.5;
    CSimpleIniA ini;
    LoadSimpleIni(state, ini, *in);
    const std::string target = in->path + ".simpleini";
    for (auto _ : state) {
        std::string out, error;
        ini.Save(out);
        if (!fs1251::WriteFileAtomic(target, out, error, 0600)) state.SkipWithError("cannot save");
    }
    Bytes(state, *in);
}

// --- each library's own save: ours atomic with fsync, SimpleIni a plain write ---

void SimpleIniSaveFile(benchmark::State& state, const IniInput* in) {
    CSimpleIniA ini;
    LoadSimpleIni(state, ini, *in);
    const std::string target = in->path + ".simpleini";
    for (auto _ : state)
        if (ini.SaveFile(target.c_str()) < 0) state.SkipWithError("SimpleIni cannot save");
    Bytes(state, *in);
}

// --- the register: load, read every controller, write them back, save ---

void OursRegister(benchmark::State& state, const IniInput* in) {
    const std::string target = in->path + ".ours";
    for (auto _ : state) {
        TFastIniFile ini(in->path);
        ZOREN_OBJECT_LIST list;
        list.Load(ini);
        list.Save(ini);
        ini.FileName = target;
        if (!ini.Save()) state.SkipWithError("cannot save");
        benchmark::DoNotOptimize(list.Count());
    }
    Bytes(state, *in);
}

void SimpleIniRegister(benchmark::State& state, const IniInput* in) {
    state.counters["target"] = 0.5;
    const std::string target = in->path + ".simpleini";
    for (auto _ : state) {
        CSimpleIniA ini;
        LoadSimpleIni(state, ini, *in);
        std::size_t total = 0;
        for (const auto& [section, key] : in->keys)
            total += std::string(ini.GetValue(section.c_str(), key.c_str(), "")).size();
        if (ini.SaveFile(target.c_str()) < 0) state.SkipWithError("SimpleIni cannot save");
        benchmark::DoNotOptimize(total);
    }
    Bytes(state, *in);
}

using Fn = void (*)(benchmark::State&, const IniInput*);

// Cases that wait for the disk are timed by the clock on the wall, the others by CPU time
// (steadier on a shared machine); the "wall_clock" counter tells the table which.
void Case(const std::string& name, const IniInput& in,
          std::initializer_list<std::pair<const char*, Fn>> impls, bool wall = false) {
    for (const auto& [impl, fn] : impls) {
        auto* b = benchmark::RegisterBenchmark((name + "/" + impl).c_str(),
                                               [fn = fn, in = &in, wall](benchmark::State& s) {
                                                   if (wall) s.counters["wall_clock"] = 1;
                                                   fn(s, in);
                                               });
        b->Unit(benchmark::kMicrosecond);
        if (wall) b->UseRealTime();
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    static std::vector<IniInput> inputs;
    inputs.reserve(3);
    inputs.push_back(MakeIni("settings", 27, true));
    inputs.push_back(MakeIni("register-10000", 10000, false));
    inputs.push_back(MakeIni("register-1000", 1000, false));
    for (std::size_t i = 0; i < 2; ++i) {
        const IniInput& in = inputs[i];
        const std::string p = "ini/" + in.name + "-";
        Case(p + "load", in, {{"TFastIniFile", OursLoad}, {"inih", InihLoad}, {"SimpleIni", SimpleIniLoad}});
        Case(p + "lookup", in, {{"TFastIniFile", OursLookup}, {"SimpleIni", SimpleIniLookup}});
        Case(p + "serialize", in, {{"TFastIniFile", OursSerialize}, {"SimpleIni", SimpleIniSerialize}});
        Case(p + "save-atomic", in, {{"TFastIniFile", OursSaveAtomic}, {"SimpleIni", SimpleIniSaveAtomic}},
             true);
        Case(p + "save-own", in, {{"TFastIniFile", OursSaveAtomic}, {"SimpleIni", SimpleIniSaveFile}}, true);
    }
    for (std::size_t i = 1; i < 3; ++i)
        Case("ini/" + inputs[i].name + "-cycle", inputs[i],
             {{"ZOREN_OBJECT_LIST", OursRegister}, {"SimpleIni", SimpleIniRegister}}, true);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
