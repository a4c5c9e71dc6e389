// Where the benchmarks find their input documents and put their scratch files.
#pragma once

#include <string>
#include <string_view>

// $ZOREN_BENCH_DATA, or ../shared/bench-data beside the source tree.
std::string BenchDataFolder();
// The bytes of a file in the data folder; ends the program with a message when it is missing.
std::string ReadBenchFile(std::string_view name);
// A fresh folder under $TMPDIR (or /tmp), removed with its files at exit.
const std::string& BenchScratchFolder();
