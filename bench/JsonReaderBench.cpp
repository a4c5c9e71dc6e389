// The JSON reader against RapidJSON, nlohmann::json, simdjson and Qt: each
// parses the same bytes from memory into a complete tree and frees it.
// The first benchmark of each document is ours; a peer's "target" counter is
// the speed ratio ours must reach against it (shown by zoren_bench_table).
#include <benchmark/benchmark.h>
#include <rapidjson/document.h>
#include <simdjson.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "BenchData.h"
#include "MqttDocument.h"
#include "json/TJSONValue.h"

namespace {

struct Input {
    std::string name;
    std::string bytes;
    simdjson::padded_string padded;
};

void Finish(benchmark::State& state, const Input& in) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(in.bytes.size()));
}

void Ours(benchmark::State& state, const Input* in) {
    for (auto _ : state) {
        TJSONStream s(in->bytes);
        TJSONValue v;
        try {
            v.LoadFromStream(s, "");
        } catch (const EJSONException& e) {
            state.SkipWithError(e.what());
            break;
        }
        benchmark::DoNotOptimize(v.Count());
    }
    Finish(state, *in);
}

void RapidJson(benchmark::State& state, const Input* in) {
    if (in->name != "mqtt") state.counters["target"] = in->name == "canada" ? 0.5 : 1.0;
    for (auto _ : state) {
        rapidjson::Document d;
        d.Parse(in->bytes.data(), in->bytes.size());
        if (d.HasParseError()) {
            state.SkipWithError("RapidJSON parse error");
            break;
        }
        benchmark::DoNotOptimize(d.MemberCount());
    }
    Finish(state, *in);
}

void Nlohmann(benchmark::State& state, const Input* in) {
    state.counters["target"] = 5.0;
    for (auto _ : state) {
        nlohmann::json j = nlohmann::json::parse(in->bytes.begin(), in->bytes.end(), nullptr, false);
        if (j.is_discarded()) {
            state.SkipWithError("nlohmann parse error");
            break;
        }
        benchmark::DoNotOptimize(j.size());
    }
    Finish(state, *in);
}

void SimdJson(benchmark::State& state, const Input* in) {
    // The parser keeps its buffers between documents, as simdjson is meant to be used.
    simdjson::dom::parser parser;
    for (auto _ : state) {
        simdjson::dom::element root;
        if (parser.parse(in->padded).get(root)) {
            state.SkipWithError("simdjson parse error");
            break;
        }
        benchmark::DoNotOptimize(root);
    }
    Finish(state, *in);
}

void QtJson(benchmark::State& state, const Input* in) {
    const QByteArray raw =
        QByteArray::fromRawData(in->bytes.data(), static_cast<qsizetype>(in->bytes.size()));
    for (auto _ : state) {
        QJsonParseError error;
        QJsonDocument d = QJsonDocument::fromJson(raw, &error);
        if (error.error != QJsonParseError::NoError) {
            state.SkipWithError("QJsonDocument parse error");
            break;
        }
        benchmark::DoNotOptimize(d.isObject());
    }
    Finish(state, *in);
}

}  // namespace

int main(int argc, char** argv) {
    static std::vector<Input> inputs;
    inputs.reserve(4);
    for (const char* name : {"canada", "citm_catalog", "twitter"}) {
        Input in{name == std::string("citm_catalog") ? "citm" : name,
                 ReadBenchFile(std::string(name) + ".json"), simdjson::padded_string()};
        inputs.push_back(std::move(in));
    }
    inputs.push_back({"mqtt", MakeMqttDocument(2000), simdjson::padded_string()});
    for (auto& in : inputs) {
        in.padded = simdjson::padded_string(in.bytes);
        std::fprintf(stderr, "bench: %s.json %zu bytes\n", in.name.c_str(), in.bytes.size());
    }
    for (const auto& in : inputs) {
        const std::string prefix = "json/" + in.name + "/";
        benchmark::RegisterBenchmark((prefix + "TJSONValue").c_str(), Ours, &in)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((prefix + "RapidJSON").c_str(), RapidJson, &in)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((prefix + "nlohmann").c_str(), Nlohmann, &in)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((prefix + "simdjson").c_str(), SimdJson, &in)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((prefix + "QJsonDocument").c_str(), QtJson, &in)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
