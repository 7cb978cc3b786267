// Benchmarks of the main window on the real dictionary (run in the bin folder), offscreen: the search
// from the field's text to the loaded result list, and the start-up up to the first paint.
#include <QApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include <memory>

#include "app/Search.h"
#include "app/Unit1.h"
#include "platform/Application.h"
#include "platform/MessageBox.h"
#include "platform/RichEdit.h"
#include "platform/RichMemo.h"

namespace {

// The field holding Ending, as typed, and the search by the button "Suchen".
void SearchFor(TForm1& Window, const QString& Ending) {
    Window.findChild<TRichEdit*>(QStringLiteral("RE1"))->setText(Ending);
    Window.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
}

// The search for "а", an ending with far more than 4001 hits: the field read, decoding, the pass over
// the whole list, 4001 lines to rich text, loading them into the list, the count.
void BM_RunSearch_ManyHits(benchmark::State& State) {
    TForm1 window;
    window.show();
    const auto* list = window.findChild<TRichMemo*>(QStringLiteral("RE2"));
    SearchFor(window, QStringLiteral("а"));
    const int hits = window.LastSearch().Hits().Count();
    if (hits <= 4001)
        State.SkipWithError("the ending has no more than 4001 hits");
    for (auto _ : State) {
        SearchFor(window, QStringLiteral("а"));
        benchmark::DoNotOptimize(list->document());
    }
    State.counters["hits"] = hits;
    State.counters["lines_shown"] = list->document()->blockCount();
}
BENCHMARK(BM_RunSearch_ManyHits)->Unit(benchmark::kMillisecond);

// The same, and the list laid out whole (Qt lays out a long document in steps after loading it).
void BM_RunSearch_ManyHits_LaidOut(benchmark::State& State) {
    TForm1 window;
    window.show();
    const auto* list = window.findChild<TRichMemo*>(QStringLiteral("RE2"));
    for (auto _ : State) {
        SearchFor(window, QStringLiteral("а"));
        benchmark::DoNotOptimize(list->document()->size());
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
        State.counters["lines_loaded"] = window->LoadedWordList().LineCount;
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
