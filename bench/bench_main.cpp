// In-process benchmarks of the live view and the still capture: Form1 on the real backends,
// its window shown on the X server named by $DISPLAY.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/live_view_bench.h"
#include "bench/millisecond_table.h"
#include "bench/program_on_screen.h"
#include "bench/still_capture_bench.h"

int main(int argc, char** argv) {
  // Device pixels, as the program itself runs.
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  bench::ProgramOnScreen program;
  bench::registerLiveViewBenchmarks(program);
  bench::registerStillCaptureBenchmark(program);
  bench::MillisecondTable table;
  benchmark::RunSpecifiedBenchmarks(&table);
  benchmark::Shutdown();
  return 0;
}
