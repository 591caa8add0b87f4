// Five huge sections pasted into the main window (the clipboard, then Ctrl+V in each editor),
// and the page made from them by "SUITE", at 1, 4 and 16 MiB per section. The throughput
// should stay flat as the size grows: anything quadratic shows as a falling MiB/s.
//   cmake --build build --target huge_input_bench && build/bench/huge_input_bench

#include "controls/folderlistbox.h"
#include "main_window/form1.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kSections = 5;
using Sections = std::array<QString, kSections>;

// The window's resource folder (its working folder) and the page's destination.
struct Folders
{
    QTemporaryDir root;
    QString destination = root.filePath("cv");

    Folders()
    {
        const QString resources = root.filePath("resources");
        QDir().mkpath(resources);
        QDir().mkpath(destination);
        copyShippedResources(resources);
        QDir::setCurrent(resources);
    }
};

Folders &folders()
{
    static Folders made;
    return made;
}

Sections sectionsOf(qsizetype mebibytes)
{
    Sections texts;
    for (int section = 0; section < kSections; ++section)
        texts[section] = hugeSection(section + 1, mebibytes * 1024 * 1024);
    return texts;
}

void click(Form1 &window, const QString &name)
{
    QTest::mouseClick(control(&window, name), Qt::LeftButton);
}

std::unique_ptr<Form1> shownWindow()
{
    auto window = std::make_unique<Form1>();
    window->show();
    QCoreApplication::processEvents();
    return window;
}

void paste(Form1 &window, const Sections &texts)
{
    for (int section = 0; section < kSections; ++section) {
        click(window, QString("Command%1").arg(section + 1));
        QGuiApplication::clipboard()->setText(texts[section]);
        QTest::keyClick(control(&window, QString("Text%1").arg(section + 1)), Qt::Key_V,
                        Qt::ControlModifier);
    }
}

void BM_PasteIntoWindow(benchmark::State &state)
{
    const Sections texts = sectionsOf(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Form1> window = shownWindow();
        state.ResumeTiming();
        paste(*window, texts);
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * kSections * state.range(0) * 1024 * 1024);
}
BENCHMARK(BM_PasteIntoWindow)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_SuiteFromWindow(benchmark::State &state)
{
    const std::unique_ptr<Form1> window = shownWindow();
    paste(*window, sectionsOf(state.range(0)));
    control<FolderListBox>(window.get(), "dirList1")->setPath(folders().destination);
    const QString page = folders().destination + "/CV.html";
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(page);
        click(*window, "Command6"); // "Création de la page."
        state.ResumeTiming();
        click(*window, "Command8"); // "SUITE"
        state.PauseTiming();
        if (!QFile::exists(page))
            state.SkipWithError("no page was made");
        click(*window, "Command9"); // "Refaire"
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * kSections * state.range(0) * 1024 * 1024);
}
// 32 MiB too: past 4 MiB the texts no longer fit in the processor's cache, and the step from
// 16 to 32 shows whether what remains grows in proportion.
BENCHMARK(BM_SuiteFromWindow)->Arg(1)->Arg(4)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    folders();
    BrowserCatcher browser; // the page is not opened
    QDesktopServices::setUrlHandler("file", &browser, "open");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    QDesktopServices::unsetUrlHandler("file");
    return 0;
}
