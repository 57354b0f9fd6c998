// Speed of the report as a PDF file, the way it leaves the program when no
// printer is set up: fonts resolved, text laid out, fonts embedded, file
// written. Target: median at most 30 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "DruckTestHilfen.h"
#include "platform/Druckausgabe.h"

namespace lohnwippe {
namespace {

void BerichtAlsPdfDatei(benchmark::State& state) {
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("Lohnwippe Personalfall 1 2012-01.pdf"));
    const Berichtsdaten daten = test::Beispielbericht();
    for (auto _ : state) {
        const QString grund = BerichtAlsPdf(daten, pfad);
        if (!grund.isEmpty()) {
            state.SkipWithError(grund.toStdString().c_str());
            break;
        }
    }
}
BENCHMARK(BerichtAlsPdfDatei)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly();

}  // namespace
}  // namespace lohnwippe

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
