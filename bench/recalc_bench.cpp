// What one keystroke costs: each recalculation through the headless view,
// and the conversion and display patterns on their own.

#include "calc/headless_view.h"
#include "calc/numbers.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using calc::Entry;
using calc::HeadlessView;
using calc::Option;

// Alternates two texts so that every write is a real change and the handler
// runs on each iteration.
void entryChange(benchmark::State& state, Entry entry, Option frame) {
    HeadlessView view;
    view.select(frame);
    const std::string texts[2] = {"100", "120.5"};
    int i = 0;
    for (auto _ : state) {
        view.setEntryText(entry, texts[i ^= 1]);
        view.clearRuns();
        benchmark::DoNotOptimize(view.resultText(calc::Result::outerHeight));
    }
}
BENCHMARK_CAPTURE(entryChange, diagonal, Entry::diagonal, Option::frame12);
BENCHMARK_CAPTURE(entryChange, diagonal80, Entry::diagonal, Option::frame80);
BENCHMARK_CAPTURE(entryChange, width, Entry::width, Option::frame12);
BENCHMARK_CAPTURE(entryChange, height, Entry::height, Option::frame12);

void click(benchmark::State& state, Option a, Option b) {
    HeadlessView view;
    view.setEntryText(Entry::diagonal, "100");
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(view.select((i ^= 1) ? a : b));
    }
}
BENCHMARK_CAPTURE(click, ratio, Option::ratio4x3, Option::ratio16x9);
BENCHMARK_CAPTURE(click, frame, Option::frame80, Option::frame12);

void numericValue(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::numericValue("2213.802 "));
    }
}
BENCHMARK(numericValue);

void pattern(benchmark::State& state, std::string (*p)(double)) {
    double v = 2213.802;
    for (auto _ : state) {
        benchmark::DoNotOptimize(v);
        benchmark::DoNotOptimize(p(v));
    }
}
BENCHMARK_CAPTURE(pattern, patWhole, calc::patWhole);
BENCHMARK_CAPTURE(pattern, patInches, calc::patInches);
BENCHMARK_CAPTURE(pattern, patTwoDecimals, calc::patTwoDecimals);
BENCHMARK_CAPTURE(pattern, patTwoDecimalsBare, calc::patTwoDecimalsBare);
BENCHMARK_CAPTURE(pattern, plainNumberText, calc::plainNumberText);

} // namespace
