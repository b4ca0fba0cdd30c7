// What every benchmark shares: the best of a few timed runs, and one printed line per figure
// with its ratio to the baseline measured in the same run.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>

// The shortest of Runs runs of Work, in milliseconds.
template <class F>
double TimeIt(F&& Work, int Runs = 3)
{
    double Best = 1e300;
    for (int Round = 0; Round < Runs; ++Round) {
        const auto t0 = std::chrono::steady_clock::now();
        Work();
        const auto t1 = std::chrono::steady_clock::now();
        Best = std::min(Best, std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return Best;
}

inline void Report(const char* What, double Ours, double Base)
{
    std::printf("%-34s %8.1f ms  baseline %8.1f ms  %5.2fx\n", What, Ours, Base, Ours / Base);
}
