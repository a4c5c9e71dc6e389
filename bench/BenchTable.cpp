// Prints the medians of Google Benchmark JSON reports as one Markdown table,
// read with the project's own JSON reader. Benchmarks are named
// "<area>/<case>/<implementation>"; the first implementation of a case is
// ours, the others are peers. The ratio is the peer's median time over ours
// (above 1: ours is faster). A peer's "target" counter is the ratio ours must
// reach; the table marks it, it never fails the run.
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "json/TJSONValue.h"

namespace {

struct Row {
    std::string group, impl;
    double ms = 0;
    double bytesPerSecond = 0;
    double cv = -1;
    double target = 0;
    bool wall = false;
    double slowest = -1;
    std::string extra;
};

double ToMs(double t, const std::string& unit) {
    if (unit == "ns") return t / 1e6;
    if (unit == "us") return t / 1e3;
    if (unit == "s") return t * 1e3;
    return t;
}

std::string Format(const char* fmt, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

std::string FormatMs(double ms) {
    return ms >= 100 ? Format("%.0f ms", ms) : ms >= 1 ? Format("%.2f ms", ms) : Format("%.1f us", ms * 1e3);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zoren_bench_table report.json...\n");
        return 2;
    }
    std::vector<Row> rows;
    std::map<std::string, std::size_t> index;  // run name -> row
    for (int a = 1; a < argc; ++a) {
        TJSONValue report;
        try {
            report.LoadFromFile(argv[a]);
        } catch (const EJSONException& e) {
            std::fprintf(stderr, "zoren_bench_table: %s: %s\n", argv[a], e.what());
            return 1;
        }
        const TJSONValue* list = report.ByPath("benchmarks");
        for (int i = 0; list && i < list->Count(); ++i) {
            const TJSONValue* b = list->GetByIndex(i);
            const std::string kind = b->DefValue("aggregate_name", "");
            if (kind != "median" && kind != "cv" && kind != "max") continue;
            std::string run = b->DefValue("run_name", "");
            // Drop what Google Benchmark appends for its own options.
            for (std::size_t slash; (slash = run.rfind('/')) != std::string::npos;) {
                const std::string_view last = std::string_view(run).substr(slash + 1);
                if (last != "real_time" && last != "manual_time" && !last.starts_with("iterations:")) break;
                run.resize(slash);
            }
            auto [it, fresh] = index.emplace(run, rows.size());
            if (fresh) {
                Row r;
                const std::size_t slash = run.rfind('/');
                r.group = slash == std::string::npos ? run : run.substr(0, slash);
                r.impl = slash == std::string::npos ? run : run.substr(slash + 1);
                rows.push_back(r);
            }
            Row& r = rows[it->second];
            if (kind == "max") {
                // The slowest single request of the whole run, where a benchmark records it.
                if (const TJSONValue* m = b->ByPath("max_ms")) r.slowest = m->Number;
                continue;
            }
            if (kind == "cv") {
                const TJSONValue* t = b->ByPath(b->ByPath("wall_clock") ? "real_time" : "cpu_time");
                r.cv = t ? t->Number : -1;
                continue;
            }
            // CPU time is steadier on a shared machine; cases that wait for the disk say "wall_clock".
            r.wall = b->ByPath("wall_clock") != nullptr;
            const TJSONValue* t = b->ByPath(r.wall ? "real_time" : "cpu_time");
            r.ms = ToMs(t ? t->Number : 0, b->DefValue("time_unit", "ns"));
            for (int c = 0; c < b->Count(); ++c) {
                const TJSONValue* f = b->GetByIndex(c);
                if (f->ValueType != TJSONValueType::jtNumber) continue;
                if (f->Name == "bytes_per_second")
                    r.bytesPerSecond = f->Number;
                else if (f->Name == "target")
                    r.target = f->Number;
                else if (f->Name != "real_time" && f->Name != "cpu_time" && f->Name != "iterations" &&
                         f->Name != "repetitions" && f->Name != "repetition_index" && f->Name != "threads" &&
                         f->Name != "family_index" && f->Name != "per_family_instance_index" &&
                         f->Name != "items_per_second" && f->Name != "wall_clock" && f->Name != "max_ms")
                    r.extra += (r.extra.empty() ? "" : ", ") + f->Name + " " +
                               TJSONValue::NumberToText(std::round(f->Number * 100) / 100);
            }
        }
    }

    std::printf(
        "| case | implementation | median (CPU, or wall*) | MB/s | cv | ours vs this | target | notes |\n");
    std::printf("|---|---|---:|---:|---:|---:|---|---|\n");
    int missed = 0;
    const Row* ours = nullptr;
    for (const Row& r : rows) {
        if (!ours || ours->group != r.group) ours = &r;
        std::string ratio, target;
        if (&r != ours && r.ms > 0 && ours->ms > 0) {
            const double q = r.ms / ours->ms;
            ratio = Format("%.2fx", q);
            if (r.target > 0) {
                const bool met = q >= r.target;
                target = Format(">= %.2fx", r.target) + (met ? " met" : " NOT met");
                if (!met) ++missed;
            }
        }
        std::string notes = r.extra;
        if (r.slowest >= 0)
            notes += (notes.empty() ? "" : ", ") + Format("slowest request %.2f ms", r.slowest);
        std::printf("| %s | %s%s | %s | %s | %s | %s | %s | %s |\n", r.group.c_str(), r.impl.c_str(),
                    &r == ours ? " (ours)" : "", (FormatMs(r.ms) + (r.wall ? "*" : "")).c_str(),
                    r.bytesPerSecond > 0
                        ? Format(r.bytesPerSecond >= 1e7 ? "%.0f" : "%.1f", r.bytesPerSecond / 1e6).c_str()
                        : "",
                    r.cv >= 0 ? Format("%.1f%%", r.cv * 100).c_str() : "", ratio.c_str(), target.c_str(),
                    notes.c_str());
    }
    std::printf(
        "\n%d target(s) not met. Ratio = peer median time / our median time (above 1: ours is faster).\n",
        missed);
    return 0;
}
