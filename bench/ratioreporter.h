// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A console reporter that keeps each benchmark's time per iteration, so that a benchmark
// program can print how a measure compares with its floor, measured in the same run.

#include <benchmark/benchmark.h>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        // With --benchmark_repetitions, the median of the repetitions stands for the benchmark.
        for (const Run &run : runs) {
            const std::string name = run.run_name.function_name;
            if (run.run_type == Run::RT_Iteration && !m_fromMedian.contains(name))
                m_seconds[name] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                m_seconds[name] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
                m_fromMedian.insert(name);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Seconds per iteration of the benchmark function called name, if it ran.
    std::optional<double> seconds(const std::string &name) const
    {
        const auto found = m_seconds.find(name);
        return found == m_seconds.end() ? std::nullopt : std::optional(found->second);
    }

private:
    std::map<std::string, double> m_seconds;
    std::set<std::string> m_fromMedian;
};
