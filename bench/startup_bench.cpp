// SPDX-License-Identifier: GPL-3.0-or-later

// How long the main window takes from construction to its first paint on screen, next to an
// empty window that paints the same background: the difference is what the controls cost.
// Run from the program's folder (build/bin), as the program itself starts.

#include "assets/assets.h"
#include "main_window/form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

// The floor: a window of the same size drawing the same picture over the same colour.
class BackgroundOnly : public QWidget
{
public:
    BackgroundOnly()
        : m_background(Assets::mainBackground())
    {
        resize(798, 602);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), QColor(0, 128, 128));
        painter.drawImage(0, 0, m_background);
    }

private:
    QImage m_background;
};

// Notes the window's first paint, which comes once everything in it has been laid out.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *window) { window->installEventFilter(this); }
    bool seen = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            seen = true;
        return false;
    }
};

template<typename Window> void showUntilPainted(benchmark::State &state)
{
    for (auto _ : state) {
        std::optional<Window> window;
        window.emplace();
        FirstPaint paint(&*window);
        window->show();
        QElapsedTimer limit;
        limit.start();
        while (!paint.seen && limit.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!paint.seen)
            state.SkipWithError("the window was never painted");
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_EmptyWindowWithBackground(benchmark::State &state)
{
    showUntilPainted<BackgroundOnly>(state);
}
BENCHMARK(BM_EmptyWindowWithBackground)->Unit(benchmark::kMillisecond);

void BM_MainWindowShown(benchmark::State &state)
{
    showUntilPainted<Form1>(state);
}
BENCHMARK(BM_MainWindowShown)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
