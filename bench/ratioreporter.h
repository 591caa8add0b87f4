// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A console reporter that keeps each benchmark's time per iteration and its counters, so that
// a benchmark program can print how a measure compares with its floor, measured in the same
// run.

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
            // A benchmark given arguments is also kept under "name/arguments".
            const std::string withArguments =
                run.run_name.args.empty() ? name : name + "/" + run.run_name.args;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!median &&
                (run.run_type != Run::RT_Iteration || m_fromMedian.contains(withArguments)))
                continue;
            const double seconds =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            m_seconds[name] = seconds;
            m_seconds[withArguments] = seconds;
            const double cpuSeconds =
                run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            m_cpuSeconds[name] = cpuSeconds;
            m_cpuSeconds[withArguments] = cpuSeconds;
            for (const auto &[counter, value] : run.counters)
                m_counters[withArguments][counter] = value;
            if (median)
                m_fromMedian.insert(withArguments);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Seconds per iteration of the benchmark function called name, if it ran.
    std::optional<double> seconds(const std::string &name) const
    {
        const auto found = m_seconds.find(name);
        return found == m_seconds.end() ? std::nullopt : std::optional(found->second);
    }

    // Seconds of the benchmark thread's processor time per iteration: what the measure costs
    // when other programs share the machine's cores.
    std::optional<double> cpuSeconds(const std::string &name) const
    {
        const auto found = m_cpuSeconds.find(name);
        return found == m_cpuSeconds.end() ? std::nullopt : std::optional(found->second);
    }

    // A counter of the benchmark called name (with its arguments: "name/16"), if it ran.
    std::optional<double> counter(const std::string &name, const std::string &counter) const
    {
        const auto counters = m_counters.find(name);
        if (counters == m_counters.end())
            return std::nullopt;
        const auto found = counters->second.find(counter);
        return found == counters->second.end() ? std::nullopt
                                               : std::optional(double(found->second));
    }

private:
    std::map<std::string, double> m_seconds;
    std::map<std::string, double> m_cpuSeconds;
    std::map<std::string, std::map<std::string, benchmark::Counter>> m_counters;
    std::set<std::string> m_fromMedian;
};
