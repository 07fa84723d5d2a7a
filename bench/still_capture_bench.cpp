#include "bench/still_capture_bench.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench/program_on_screen.h"

namespace bench {
namespace {

constexpr std::int16_t kKeyMarkTopLeft = 49;  // "1"
constexpr std::int16_t kKeyCapture = 50;      // "2"
constexpr std::int32_t kLeft = 100;
constexpr std::int32_t kTop = 100;
constexpr std::int32_t kWidth = 1280;
constexpr std::int32_t kHeight = 720;
// The capture takes its second corner this far down and right of the pointer.
constexpr std::int32_t kCornerOffsetX = 3;
constexpr std::int32_t kCornerOffsetY = 24;
// Long enough for the window manager to answer the first capture's resize.
constexpr int kWindowManagerMs = 500;

void releaseKey(Form1& form, std::int16_t keyCode) {
  std::int16_t code = keyCode;
  form.Form_KeyUp(code, 0);
}

void stillCapture(benchmark::State& state, ProgramOnScreen& program) {
  program.startCameraMode();
  Form1& form = program.form();
  program.placeCursor(kLeft, kTop);
  releaseKey(form, kKeyMarkTopLeft);
  program.placeCursor(kLeft + kWidth - kCornerOffsetX, kTop + kHeight - kCornerOffsetY);
  // The first capture fits the window to the rectangle; the window manager's resize is not
  // part of what is measured, so let it happen now.
  releaseKey(form, kKeyCapture);
  program.settle(kWindowManagerMs);
  const graphics::Size view = program.viewSize();
  state.SetLabel("view " + std::to_string(view.width) + "x" + std::to_string(view.height));
  while (state.KeepRunning()) {
    releaseKey(form, kKeyCapture);
    state.PauseTiming();
    program.settle(0);  // serve the repaint and the clipboard's traffic outside the timing
    state.ResumeTiming();
  }
}

}  // namespace

void registerStillCaptureBenchmark(ProgramOnScreen& program) {
  benchmark::RegisterBenchmark(
      "still_capture/1280x720",
      [&program](benchmark::State& state) { stillCapture(state, program); })
      ->MeasureProcessCPUTime()
      ->Unit(benchmark::kMillisecond)
      ->MinTime(2.0);
}

}  // namespace bench
