// One press of 输出 (material 0, 150 °C, 1000 mm) timed over many presses, without Google
// Benchmark, so that the same program runs natively and as WebAssembly under node
// (docs/performance.md compares the two). Prints nanoseconds per press.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/KeepingRuntime.h"
#include "ui/ExpansionForm.h"

using velmarith::bench::KeepingRuntime;

int main() {
    KeepingRuntime runtime;
    velmarith::ExpansionForm form(runtime);
    velmarith::bench::EnterWorkedExample(runtime, form);
    constexpr int kPresses = 200000;
    double best = 1e30;
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kPresses; ++i) {
            runtime.lines.clear();
            form.Command4_Click();
        }
        const std::chrono::duration<double, std::nano> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count() / kPresses);
    }
    std::printf("%.0f ns per press (%s)\n", best, runtime.lines.back().c_str());
    return 0;
}
