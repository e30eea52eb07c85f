#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/calc/Batch.h"
#include "bench/KeepingRuntime.h"
#include "runtime/NumberText.h"
#include "ui/ExpansionForm.h"

namespace {

using velmarith::bench::KeepingRuntime;

// One press of 输出 for material 0, 150 °C, 1000 mm: lookup, expansion, five lines.
void BM_OutputButtonPress(benchmark::State& state) {
    KeepingRuntime runtime;
    velmarith::ExpansionForm form(runtime);
    velmarith::bench::EnterWorkedExample(runtime, form);
    for (auto _ : state) {
        runtime.lines.clear();
        form.Command4_Click();
        benchmark::DoNotOptimize(runtime.lines.data());
    }
}
BENCHMARK(BM_OutputButtonPress);

// The floor of a press: formatting its two numbers, nothing else.
void BM_FormattingFloor(benchmark::State& state) {
    float coefficient = 11.85f;
    float expansion = 1.5405f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(coefficient);
        benchmark::DoNotOptimize(expansion);
        auto a = velmarith::SingleToText(coefficient);
        auto b = velmarith::SingleToText(expansion);
        benchmark::DoNotOptimize(a.data());
        benchmark::DoNotOptimize(b.data());
    }
}
BENCHMARK(BM_FormattingFloor);

// velmarith-calc --csv: rows per second through the whole batch path, in memory.
void BM_BatchRows(benchmark::State& state) {
    std::string input = "material,temperature,length,install\n";
    const int rows = 100000;
    for (int i = 0; i < rows; ++i) {
        input += std::to_string(i % 8) + "," + std::to_string(100 + i % 200) + "," +
                 std::to_string(1 + i % 9999) + ".5," + (i % 3 == 0 ? "100" : "20") + "\n";
    }
    for (auto _ : state) {
        std::FILE* in = fmemopen(input.data(), input.size(), "r");
        std::FILE* out = std::fopen("/dev/null", "w");
        benchmark::DoNotOptimize(velmarith::tool::RunBatch(in, out, stderr));
        std::fclose(in);
        std::fclose(out);
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_BatchRows)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
