#pragma once

// Runs the benchmarks of one program and prints, after them, how one of them
// compares with the others: the ratios of their fastest real times, each
// beside its goal. Ratios measured in one run hold on any machine.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct RatioGoal {
    const char* baseline;
    double atMost;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Without colours, so the output reads cleanly in a log.
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    // Seconds, whatever unit each benchmark reports in.
    std::map<std::string, double> fastest;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            const double time = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            auto [it, added] = fastest.try_emplace(run.run_name.function_name, time);
            if (!added)
                it->second = std::min(it->second, time);
        }
    }
};

// Runs the program's benchmarks; the fastest real time of each, in seconds.
// False when the command line holds something the library does not know.
// The repetitions of the benchmarks take turns, so that a busy spell of the
// machine does not fall on one of them alone.
inline bool RunBenchmarks(int argc, char** argv, std::map<std::string, double>& fastest)
{
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::vector<char*> args(argv, argv + argc);
    args.insert(args.begin() + 1, interleave.data());
    argc = int(args.size());
    argv = args.data();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return false;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    fastest = std::move(reporter.fastest);
    return true;
}

// Prints how `measured` compares with `baseline`, beside its goal; nothing
// when either did not run.
inline void PrintRatio(const std::map<std::string, double>& fastest, const char* measured, const char* baseline,
                       double atMost)
{
    const auto ours = fastest.find(measured);
    const auto other = fastest.find(baseline);
    if (ours != fastest.end() && other != fastest.end())
        std::printf("%s / %s: %.3f (goal: at most %.2f)\n", measured + 3, baseline + 3, ours->second / other->second,
                    atMost);
}

inline int RunAndCompare(int argc, char** argv, const char* measured, const std::vector<RatioGoal>& goals)
{
    std::map<std::string, double> fastest;
    if (!RunBenchmarks(argc, argv, fastest))
        return 1;
    for (const RatioGoal& goal : goals)
        PrintRatio(fastest, measured, goal.baseline, goal.atMost);
    return 0;
}
