// screencalc's batch path on 100,000 rows, as a spreadsheet would feed it:
// every entry kind, ratio and frame, a few bad rows among them; the same rows
// as a Chinese Windows spreadsheet saves them too (GBK, semicolons, the
// full-width colon of 16：9).

#include "cli/screencalc_cli.h"

#include <array>
#include <benchmark/benchmark.h>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

constexpr int rowCount = 100'000;

enum class Dialect { utf8, gbk };

std::string makeRows(Dialect dialect) {
    constexpr std::array<const char*, 3> entries{"diagonal", "width", "height"};
    constexpr std::array<const char*, 8> texts{"100", "84.5", "1920", "1000",
                                               "120", ".5",   "3000", "12a"};
    const std::array<const char*, 3> ratios{"",
                                            dialect == Dialect::gbk ? "16\xA3\xBA"
                                                                      "9"
                                                                    : "16:9",
                                            "4:3"};
    const char separator = dialect == Dialect::gbk ? ';' : ',';
    constexpr std::array<const char*, 6> frames{"", "12", "45", "65", "80", "90"};
    std::string rows;
    for (int i = 0; i < rowCount; ++i) {
        rows += entries[i % entries.size()];
        rows += separator;
        rows += texts[i % texts.size()];
        rows += separator;
        rows += ratios[i % ratios.size()];
        rows += separator;
        rows += frames[i % frames.size()];
        rows += '\n';
    }
    return rows;
}

// Swallows the output, so that only the program's own work is timed.
class Discard : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void batch(benchmark::State& state, std::vector<std::string> args, Dialect dialect) {
    const std::string rows = makeRows(dialect);
    Discard discard;
    std::ostream out(&discard), err(&discard);
    for (auto _ : state) {
        std::istringstream in(rows);
        benchmark::DoNotOptimize(screencalc::runScreencalc(args, in, out, err));
    }
    state.SetItemsProcessed(state.iterations() * rowCount);
}

void single(benchmark::State& state) {
    const std::vector<std::string> args{"--diagonal", "100", "--json"};
    Discard discard;
    std::ostream out(&discard), err(&discard);
    std::istringstream in;
    for (auto _ : state) {
        benchmark::DoNotOptimize(screencalc::runScreencalc(args, in, out, err));
    }
}

BENCHMARK_CAPTURE(batch, csv, {"--batch"}, Dialect::utf8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(batch, json, {"--batch", "--json"}, Dialect::utf8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(batch, gbk_semicolons, {"--batch"}, Dialect::gbk)->Unit(benchmark::kMillisecond);
BENCHMARK(single)->Unit(benchmark::kMicrosecond);

} // namespace
