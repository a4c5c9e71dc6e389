// The median of a benchmark's run times, as both window benchmarks report it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}
