#pragma once

// What every timing benchmark shares: its clock and the figure it takes of a stage's runs.

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace bench {

inline double millisecondsOf(const std::function<void()> &work)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The figure of a stage: a slow spell of the machine moves the median less than the mean.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

} // namespace bench
