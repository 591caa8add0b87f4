// SPDX-License-Identifier: GPL-3.0-or-later

// Typing into "Genre Prénom Nom" (Text6) while it holds 1 MiB of text, next to typing into the
// same box empty, which is the floor. Each key press is followed by the box's repaint, as on
// screen. Run by hand, with repetitions for medians:
//   cmake --build build --target typing_bench && build/bench/typing_bench --benchmark_repetitions=5

#include "main_window/form1.h"
#include "ratioreporter.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr qsizetype kMebibyte = 1024 * 1024;

// Types one letter at the cursor and paints the box.
void typeLetters(benchmark::State &state, const QString &text, bool cursorAtStart)
{
    Form1 window;
    window.show();
    QCoreApplication::processEvents();
    auto *box = control<QLineEdit>(&window, "Text6");
    box->setText(text);
    box->setFocus();
    if (cursorAtStart)
        box->home(false);
    box->repaint();
    for (auto _ : state) {
        QTest::keyClick(box, Qt::Key_A);
        box->repaint();
    }
    if (box->text().size() != text.size() + state.iterations())
        state.SkipWithError("a letter was lost");
}

// One line of about 1 MiB of UTF-8: accented letters, letters outside Windows-1252, markup.
QString oneMebibyteLine()
{
    return hugeSection(1, kMebibyte).replace('\n', ' ');
}

void typingIntoEmptyBox(benchmark::State &state)
{
    typeLetters(state, {}, false);
}
BENCHMARK(typingIntoEmptyBox)->Unit(benchmark::kMicrosecond);

void typingAtTheEndOfOneMebibyte(benchmark::State &state)
{
    typeLetters(state, oneMebibyteLine(), false);
}
BENCHMARK(typingAtTheEndOfOneMebibyte)->Unit(benchmark::kMicrosecond);

void typingAtTheStartOfOneMebibyte(benchmark::State &state)
{
    typeLetters(state, oneMebibyteLine(), true);
}
BENCHMARK(typingAtTheStartOfOneMebibyte)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto print = [](const std::string &measure, std::optional<double> full,
                          std::optional<double> floor) {
        if (full && floor)
            std::printf("%s: %.3f ms a key, empty box %.3f ms: ratio %.1f\n", measure.c_str(),
                        *full * 1e3, *floor * 1e3, *full / *floor);
    };
    // Wall time is what a user waits; processor time is what a key costs on a machine whose
    // cores are shared with other programs.
    const std::string floor = "typingIntoEmptyBox";
    for (const std::string name :
         {"typingAtTheEndOfOneMebibyte", "typingAtTheStartOfOneMebibyte"}) {
        print(name, reporter.seconds(name), reporter.seconds(floor));
        print(name + ", processor time", reporter.cpuSeconds(name), reporter.cpuSeconds(floor));
    }
    benchmark::Shutdown();
    return 0;
}
