// SPDX-License-Identifier: GPL-3.0-or-later

// How long page generation takes next to writing the same bytes plainly: a page of a real CV's
// size (about 20 KB), and five sections of 1, 4 and 16 MiB each. Run by hand, when the machine
// is quiet, with repetitions so that the medians are compared:
//   cmake --build build --target benchmarks
//   build/bin/generation_bench --benchmark_repetitions=9

#include "generation/generation.h"
#include "generation/pagetemplate.h"
#include "generation/paths.h"
#include "ratioreporter.h"

#include <array>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kMiB = 1 << 20;
// Bytes of each of the five sections: a real CV's (a page of about 20 KB with the shipped
// template), then 1, 4 and 16 MiB.
constexpr std::int64_t kCvSection = 2300;
constexpr std::array kSectionBytes{kCvSection, kMiB, 4 * kMiB, 16 * kMiB};

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const fs::path &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string utf8(const fs::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A section of typed French lines, with the odd character Windows-1252 lacks.
std::string sectionText(std::size_t bytes)
{
    const std::string line = "2014 – 2019 : ingénieure d'études à Gdańsk, modélisation des "
                             "crues et des ouvrages portuaires, « Łódź » compris.\r\n";
    std::string text;
    text.reserve(bytes + line.size());
    while (text.size() + line.size() <= bytes)
        text += line;
    text.append(bytes - text.size(), '.');
    return text;
}

// The resource folder, the destination and the typed values of one run.
struct Setup
{
    explicit Setup(std::size_t sectionBytes)
        : root(fs::temp_directory_path() / ("pomerel-bench-" + std::to_string(::time(nullptr)) +
                                            "-" + std::to_string(sectionBytes)))
    {
        fs::create_directories(root / "Pomerel");
        fs::create_directories(root / "CV");
        writeFile(root / "Pomerel" / "brt.ggg",
                  readFile(fs::path(POMEREL_RESOURCE_DIR) / "brt.ggg"));
        writeFile(root / "Pomerel" / "logo.jpg", std::string(20000, 'j'));
        writeFile(root / "Pomerel" / "bandeau.gif", std::string(30000, 'g'));
        data.depart = utf8(root / "Pomerel");
        data.oa = utf8(root / "CV") + pomerel::separator();
        data.texts[5] = "Mme Agnès Łukasiewicz";
        for (std::size_t section = 0; section < 5; ++section)
            data.texts[section] = sectionText(sectionBytes);
        data.OC = "logo.jpg";
    }
    ~Setup()
    {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    fs::path root;
    pomerel::RunData data;
};

// Five sections of the benchmark's argument in bytes each, made once per size.
Setup &setup(const benchmark::State &state)
{
    static std::map<std::int64_t, std::unique_ptr<Setup>> setups;
    std::unique_ptr<Setup> &instance = setups[state.range(0)];
    if (!instance)
        instance = std::make_unique<Setup>(static_cast<std::size_t>(state.range(0)));
    return *instance;
}

void sectionSizes(benchmark::internal::Benchmark *benchmark)
{
    for (const std::int64_t bytes : kSectionBytes)
        benchmark->Arg(bytes);
    benchmark->Unit(benchmark::kMillisecond);
}

// The page step of a run (the field list, then the template filled into CV.html) and the
// same page's bytes written plainly from memory, in turns, so that both meet the same load.
void pageAgainstPlainWrite(benchmark::State &state)
{
    using Clock = std::chrono::steady_clock;
    Setup &s = setup(state);
    const auto makePage = [&s] {
        pomerel::fillTemplate(s.data.depart, s.data.oa,
                              pomerel::buildCvFields(s.data.OC, s.data.texts));
    };
    makePage();
    const std::string page = readFile(s.root / "CV" / "CV.html");
    const fs::path target = s.root / "CV" / "plain.html";
    std::chrono::duration<double> pageTime{};
    std::chrono::duration<double> plainTime{};
    for (auto _ : state) {
        const auto start = Clock::now();
        makePage();
        const auto made = Clock::now();
        writeFile(target, page);
        const auto written = Clock::now();
        pageTime += made - start;
        plainTime += written - made;
        state.SetIterationTime(std::chrono::duration<double>(made - start).count());
    }
    const auto perRun = benchmark::Counter::kAvgIterations;
    state.counters["page_ms"] = benchmark::Counter(pageTime.count() * 1e3, perRun);
    state.counters["plain_ms"] = benchmark::Counter(plainTime.count() * 1e3, perRun);
    state.counters["ratio"] = pageTime / plainTime;
    state.counters["page_kb"] = static_cast<double>(page.size()) / 1e3;
}
BENCHMARK(pageAgainstPlainWrite)->Apply(sectionSizes)->UseManualTime();

// A whole "SUITE" run, with the destination prepared and the pictures copied.
void wholeRun(benchmark::State &state)
{
    struct Window : pomerel::GenerationWindow
    {
        void warn(std::string_view) override {}
        void showFinished() override {}
        void openInDefaultBrowser(const std::string &) override {}
    } window;
    Setup &s = setup(state);
    for (auto _ : state)
        pomerel::generatePage(s.data, window);
}
BENCHMARK(wholeRun)->Arg(kCvSection)->Unit(benchmark::kMillisecond);

// The ratios against the plain write and the growth from 1 to 16 MiB.
void printRatios(const RatioReporter &reporter)
{
    std::printf("\n");
    for (const std::int64_t bytes : kSectionBytes) {
        const std::string run = "pageAgainstPlainWrite/" + std::to_string(bytes);
        const auto page = reporter.counter(run, "page_ms");
        const auto plain = reporter.counter(run, "plain_ms");
        const auto ratio = reporter.counter(run, "ratio");
        const auto size = reporter.counter(run, "page_kb");
        if (page && plain && ratio && size)
            std::printf("A %.0f KB page: generation %8.3f ms, plain write %8.3f ms, ratio %.2f%s\n",
                        *size, *page, *plain, *ratio, bytes == kCvSection ? " (at most 1.5)" : "");
    }
    // The plain write's own growth between the same sizes, for comparison.
    const auto growth = [&](const char *counter) -> std::optional<double> {
        const auto small =
            reporter.counter("pageAgainstPlainWrite/" + std::to_string(kMiB), counter);
        const auto large =
            reporter.counter("pageAgainstPlainWrite/" + std::to_string(16 * kMiB), counter);
        if (!small || !large)
            return std::nullopt;
        return *large / *small;
    };
    const auto page = growth("page_ms");
    const auto plain = growth("plain_ms");
    if (page && plain)
        std::printf("16 MiB sections take %.1f times as long as 1 MiB (at most 20); their plain "
                    "write %.1f times\n",
                    *page, *plain);
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
