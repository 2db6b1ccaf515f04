#pragma once
// Timing shared by the view benchmarks. Each measure prints its wall time and
// the process's processor time, which other work on a busy machine disturbs
// less; bench/view/run.sh gathers the lines by name.

#include <chrono>
#include <cstdio>
#include <ctime>

using BenchClock = std::chrono::steady_clock;

inline double BenchMsSince(BenchClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(BenchClock::now() - start).count();
}

inline double BenchCpuMs() { return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC; }

// Runs f once, printing "NAME ms: wall" and "NAME (cpu) ms: processor".
template <typename F>
void BenchTime(const char* pszName, F f)
{
    const BenchClock::time_point start = BenchClock::now();
    const double cpu = BenchCpuMs();
    f();
    std::printf("%s ms: %.1f\n", pszName, BenchMsSince(start));
    std::printf("%s (cpu) ms: %.1f\n", pszName, BenchCpuMs() - cpu);
}
