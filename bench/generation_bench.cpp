// SPDX-License-Identifier: GPL-3.0-or-later

// How long page generation takes next to writing the same bytes plainly. Run by hand:
//   cmake --build build --target benchmarks && build/bin/generation_bench

#include "generation/generation.h"
#include "generation/pagetemplate.h"
#include "generation/paths.h"
#include "ratioreporter.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kSectionBytes = 1 << 20;

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
std::string sectionText()
{
    const std::string line = "2014 – 2019 : ingénieure d'études à Gdańsk, modélisation des "
                             "crues et des ouvrages portuaires, « Łódź » compris.\r\n";
    std::string text;
    text.reserve(kSectionBytes + line.size());
    while (text.size() + line.size() <= kSectionBytes)
        text += line;
    text.append(kSectionBytes - text.size(), '.');
    return text;
}

// The resource folder, the destination and the typed values of one run.
struct Setup
{
    Setup()
        : root(fs::temp_directory_path() / ("pomerel-bench-" + std::to_string(::time(nullptr))))
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
            data.texts[section] = sectionText();
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

Setup &setup()
{
    static Setup instance;
    return instance;
}

// The page step of a run: the field list, then the template filled into CV.html.
void pageGeneration(benchmark::State &state)
{
    Setup &s = setup();
    for (auto _ : state)
        pomerel::fillTemplate(s.data.depart, s.data.oa,
                              pomerel::buildCvFields(s.data.OC, s.data.texts));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fs::file_size(s.root / "CV" / "CV.html")));
}
BENCHMARK(pageGeneration)->Unit(benchmark::kMillisecond);

// The page made in memory only: the field list and the filled template, without the file.
void pageInMemory(benchmark::State &state)
{
    Setup &s = setup();
    const std::string templateBytes = readFile(s.root / "Pomerel" / "brt.ggg");
    for (auto _ : state) {
        const std::string page = pomerel::fillTemplateText(
            templateBytes, pomerel::buildCvFields(s.data.OC, s.data.texts));
        benchmark::DoNotOptimize(page.data());
    }
}
BENCHMARK(pageInMemory)->Unit(benchmark::kMillisecond);

// The same page's bytes written with a plain stream, already in memory.
void plainWrite(benchmark::State &state)
{
    Setup &s = setup();
    pomerel::fillTemplate(s.data.depart, s.data.oa,
                          pomerel::buildCvFields(s.data.OC, s.data.texts));
    const std::string page = readFile(s.root / "CV" / "CV.html");
    const fs::path target = s.root / "CV" / "plain.html";
    for (auto _ : state)
        writeFile(target, page);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(page.size()));
}
BENCHMARK(plainWrite)->Unit(benchmark::kMillisecond);

// A whole "SUITE" run, with the destination prepared and the pictures copied.
void wholeRun(benchmark::State &state)
{
    struct Window : pomerel::GenerationWindow
    {
        void warn(std::string_view) override {}
        void showFinished() override {}
        void openInDefaultBrowser(const std::string &) override {}
    } window;
    Setup &s = setup();
    for (auto _ : state)
        pomerel::generatePage(s.data, window);
}
BENCHMARK(wholeRun)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto page = reporter.seconds("pageGeneration");
    const auto plain = reporter.seconds("plainWrite");
    if (page && plain)
        std::printf(
            "\nPage generation %.2f ms, plain write %.2f ms: ratio %.2f (target at most 2)\n",
            *page * 1e3, *plain * 1e3, *page / *plain);
    benchmark::Shutdown();
    return 0;
}
