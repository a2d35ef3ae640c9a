// Benchmarks of the text view: appending into a hidden view and into the view in sight, memory per line held,
// scrolling and resizing a view of a million lines.
#include "bench/view/BenchLines.h"
#include "view/AppendLine.h"
#include "view/TIRCMemo.h"

#include <climits>
#include <malloc.h>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

using namespace morva;

namespace {

const std::vector<std::string>& lines()
{
    static const std::vector<std::string> l = bench::typicalLines();
    return l;
}

void fill(TIRCMemo& view, int count)
{
    const auto& l = lines();
    for (int i = 0; i < count; ++i) {
        AppendLine(&view, l[static_cast<std::size_t>(i) % l.size()]);
        if (i % 4096 == 0)
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
}

std::size_t heapInUse()
{
    const struct mallinfo2 mi = mallinfo2();
    return mi.uordblks + mi.hblkhd;
}

// Lines per turn of the event loop: 1 is how a flood arrives (each line handed over on its own), larger
// numbers are bursts appended in one go.
void appendLoop(benchmark::State& state, TIRCMemo& view)
{
    const auto& l = lines();
    const auto perTurn = static_cast<std::size_t>(state.range(0));
    std::size_t i = 0;
    for (auto _ : state) {
        AppendLine(&view, l[i % l.size()]);
        if (++i % perTurn == 0)
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_AppendHidden(benchmark::State& state)
{
    TIRCMemo view;
    view.resize(800, 600);
    fill(view, 100000);
    appendLoop(state, view);
}
BENCHMARK(BM_AppendHidden)->Arg(1)->Arg(100)->MinTime(1.0);

void BM_AppendInView(benchmark::State& state)
{
    TIRCMemo view;
    view.resize(800, 600);
    view.show();
    fill(view, 100000);
    appendLoop(state, view);
}
BENCHMARK(BM_AppendInView)->Arg(1)->Arg(100)->MinTime(1.0);

void BM_MemoryPerLine(benchmark::State& state)
{
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        auto view = std::make_unique<TIRCMemo>();
        view->resize(800, 600);
        fill(*view, 100000);
        const std::size_t after = heapInUse();
        state.counters["heap_bytes_per_line"] = static_cast<double>(after - before) / 100000.0;
        state.counters["model_bytes_per_line"] = static_cast<double>(view->modelBytes()) / 100000.0;
        std::size_t chars = 0;
        for (int i = 0; i < 64; ++i)
            chars += view->lineText(i).size();
        state.counters["chars_per_line"] = static_cast<double>(chars) / 64.0;
    }
}
BENCHMARK(BM_MemoryPerLine)->Iterations(1)->Unit(benchmark::kMillisecond);

// One shown view of a million typical lines, shared by the scrolling and resizing benchmarks. A million such
// lines hold about 90 million characters, so the text limit is raised for it.
struct Million
{
    QWidget host;
    TIRCMemo* view;
    Million()
    {
        host.resize(1000, 700);
        view = new TIRCMemo(&host);
        view->setMaxLength(INT_MAX);
        view->setGeometry(0, 0, 800, 600);
        host.show();
        fill(*view, 1000000);
    }
};

Million& million()
{
    static Million m;
    return m;
}

void BM_Scroll1M_Jump(benchmark::State& state)
{
    Million& m = million();
    unsigned seed = 1;
    for (auto _ : state) {
        seed = seed * 1103515245u + 12345u;
        // A far jump: every line in sight is laid out afresh.
        m.view->verticalScrollBar()->setValue(static_cast<int>((seed >> 8) % 1000000));
        m.view->viewport()->repaint();
    }
    m.view->scrollToLine(999999);
}
BENCHMARK(BM_Scroll1M_Jump)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_Scroll1M_Page(benchmark::State& state)
{
    Million& m = million();
    QScrollBar* bar = m.view->verticalScrollBar();
    for (auto _ : state) {
        if (bar->value() - bar->pageStep() <= bar->minimum())
            bar->setValue(bar->maximum());
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        m.view->viewport()->repaint();
    }
    m.view->scrollToLine(999999);
}
BENCHMARK(BM_Scroll1M_Page)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_Resize1M(benchmark::State& state)
{
    Million& m = million();
    int i = 0;
    for (auto _ : state) {
        const int w = (++i % 2 == 0) ? 800 : 640 + (i % 7) * 10;
        m.view->setGeometry(0, 0, w, 600 - (i % 3) * 40);
        m.view->viewport()->repaint();
    }
    QCoreApplication::processEvents();
}
BENCHMARK(BM_Resize1M)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
