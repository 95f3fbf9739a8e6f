// Wall-clock time of one piece of work, for the benchmarks' figures.
#pragma once

#include <chrono>
#include <functional>

namespace tessaro {

inline double seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace tessaro
