#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui/qt/Application.h"
#include "ui/qt/ExpansionWindow.h"
#include "ui/qt/PrintArea.h"

namespace {

// Repainting the whole print area when it is full: 28 retained lines.
void BM_RepaintFullPrintArea(benchmark::State& state) {
    velmarith::ExpansionWindow window;
    window.show();
    for (int i = 0; i < 28; ++i) {
        window.Print({"  150摄氏度时材料的膨胀系数为:  11.85mm/mm.C"});
    }
    QApplication::processEvents();
    for (auto _ : state) {
        window.PrintSurface()->repaint();
    }
}
BENCHMARK(BM_RepaintFullPrintArea)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    velmarith::SetUpApplication(application);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
