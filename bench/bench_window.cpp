// Benchmarks of the main window on the real dictionary (run in the bin folder), offscreen: the search
// from the stored query text to the loaded result list, and the start-up up to the first paint.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>

#include "app/Unit1.h"
#include "platform/Application.h"
#include "platform/MessageBox.h"
#include "platform/RichEdit.h"
#include "platform/RichMemo.h"

namespace {

// RunSearch for "а" (typed as f), an ending with far more than 4001 hits: decode, the pass over the
// whole list, 4001 lines to rich text, loading them into the list, the count.
void BM_RunSearch_ManyHits(benchmark::State& State) {
    TForm1 window;
    window.show();
    char f = 'f'; // as the keyboard picture types it
    window.RE1KeyPress(f);
    window.RE1Change();
    window.RunSearch();
    const int hits = window.LastHit - window.FirstHit + 1;
    if (hits <= 4001)
        State.SkipWithError("the ending has no more than 4001 hits");
    for (auto _ : State) {
        window.RunSearch();
        benchmark::DoNotOptimize(window.RE2->document());
    }
    State.counters["hits"] = hits;
    State.counters["lines_shown"] = window.RE2->document()->blockCount();
}
BENCHMARK(BM_RunSearch_ManyHits)->Unit(benchmark::kMillisecond);

// The same, and the list laid out whole (Qt lays out a long document in steps after loading it).
void BM_RunSearch_ManyHits_LaidOut(benchmark::State& State) {
    TForm1 window;
    window.show();
    char f = 'f';
    window.RE1KeyPress(f);
    window.RE1Change();
    for (auto _ : State) {
        window.RunSearch();
        benchmark::DoNotOptimize(window.RE2->document()->size());
    }
}
BENCHMARK(BM_RunSearch_ManyHits_LaidOut)->Unit(benchmark::kMillisecond);

// Start-up without the start dialog: the window's constructor, the first show (which loads the word
// list) and the first paint of the whole window.
void BM_StartUpToFirstPaint(benchmark::State& State) {
    for (auto _ : State) {
        auto window = std::make_unique<TForm1>();
        window->show();
        window->repaint();
        State.PauseTiming();
        State.counters["lines_loaded"] = window->WordList.LineCount;
        window.reset();
        QApplication::processEvents();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("Kavrinto"));
    // A missing data file would stop the benchmark at a message box.
    SetMessageHook([](const TMessage& Message) { qFatal("%s", qPrintable(Message.Text)); });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
