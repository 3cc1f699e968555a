// Speed of the editor's hot paths, the export, project files and the recovery journal,
// headless:
//   QT_QPA_PLATFORM=offscreen build/bench/vellicor_bench
#include <QApplication>
#include <QStandardPaths>
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // the user's settings stay as they are
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
