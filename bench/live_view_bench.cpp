#include "bench/live_view_bench.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench/cpu_meter.h"
#include "bench/program_on_screen.h"
#include "platform/graphics/stretch_copy.h"
#include "platform/x11/connection.h"
#include "platform/x11/screen_reader.h"

namespace bench {
namespace {

constexpr graphics::Size kViews[] = {{351, 240}, {1280, 720}, {1920, 1080}};

// The lens bar in tenths: the program's zoom is that over ten.
struct Zoom {
  std::int16_t tenths;
  const char* name;
};
constexpr Zoom kZooms[] = {{10, "1"}, {40, "4"}, {1, "0.1"}};
constexpr std::int16_t kTenths = 10;

// The pointer rests in the middle of the corner that video_mode_cpu.sh sweeps: the source
// starts on the screen near its top-left, so smaller views read all they show, while the full
// screen view and zoom 0.1 reach past the screen's edges and show black there.
constexpr std::int32_t kCursorX = 120;
constexpr std::int32_t kCursorY = 90;

constexpr double kMinSeconds = 1.0;

struct Case {
  graphics::Size view;
  Zoom zoom;
  std::string label() const {
    return std::to_string(view.width) + "x" + std::to_string(view.height) + "/zoom:" + zoom.name;
  }
};

// Video mode with the view and zoom of `viewCase`; false (and the benchmark skipped) when the
// window could not get that view.
bool prepare(ProgramOnScreen& program, const Case& viewCase, benchmark::State& state) {
  program.startVideoMode();
  program.placeCursor(kCursorX, kCursorY);
  if (!program.showView(viewCase.view)) {
    state.SkipWithError("the window did not get the view size");
    return false;
  }
  program.setLensBar(viewCase.zoom.tenths);
  program.form().Timer1_Timer();
  program.presentView();
  return true;
}

// One tick of the live view, and the repaint it asks for, all the way to the X server.
void tick(benchmark::State& state, ProgramOnScreen& program, const Case& viewCase) {
  if (!prepare(program, viewCase, state)) return;
  Form1& form = program.form();
  const CpuMeter meter;
  while (state.KeepRunning()) {
    form.Timer1_Timer();
    program.presentView();
  }
  meter.report(state);
}

// The tick's own work: clear, read, stretch, and the repaint request, without the repaint.
void tickWithoutPaint(benchmark::State& state, ProgramOnScreen& program, const Case& viewCase) {
  if (!prepare(program, viewCase, state)) return;
  Form1& form = program.form();
  const CpuMeter meter;
  while (state.KeepRunning()) form.Timer1_Timer();
  meter.report(state);
  program.presentView();
}

// The repaint alone: the view drawn from its backing image and sent to the X server.
void repaint(benchmark::State& state, ProgramOnScreen& program, const Case& viewCase) {
  if (!prepare(program, viewCase, state)) return;
  const CpuMeter meter;
  while (state.KeepRunning()) {
    program.requestViewRepaint();
    program.presentView();
  }
  meter.report(state);
}

// The first tick at each zoom of the lens bar, in turn: the one that asks the X server whether
// it stretches that zoom exactly over the whole screen. Forty iterations, one for each zoom; at
// the start of a run, before any other tick has asked about one.
void firstTickAtEachZoom(benchmark::State& state, ProgramOnScreen& program) {
  program.startVideoMode();
  program.placeCursor(kCursorX, kCursorY);
  if (!program.showView(kViews[0])) {
    state.SkipWithError("the window did not get the view size");
    return;
  }
  std::int16_t tenths = 0;
  const CpuMeter meter;
  while (state.KeepRunning()) {
    program.setLensBar(++tenths);
    program.form().Timer1_Timer();
    program.presentView();
  }
  meter.report(state);
}

// The floor: the shared-memory read of exactly the source pixels the tick needs.
void screenRead(benchmark::State& state, const Case& viewCase) {
  x11::Connection connection;
  x11::ScreenReader reader(connection);
  const graphics::Size view = viewCase.view;
  const int num = viewCase.zoom.tenths;
  const graphics::Rect dest{0, 0, num * view.width, num * view.height};
  const graphics::Rect source{kCursorX, kCursorY, kTenths * view.width, kTenths * view.height};
  const graphics::Rect span =
      graphics::intersect(graphics::planStretch(dest, source, view).sourceSpan, reader.bounds());
  state.SetLabel(std::to_string(span.width) + "x" + std::to_string(span.height) + " read");
  const CpuMeter meter;
  while (state.KeepRunning()) {
    const graphics::PixelView pixels = reader.read(span);
    benchmark::DoNotOptimize(pixels.pixels);
  }
  meter.report(state);
}

template <typename Function>
void add(const std::string& name, Function&& run) {
  benchmark::RegisterBenchmark(name.c_str(), std::forward<Function>(run))
      ->MeasureProcessCPUTime()
      ->Unit(benchmark::kMillisecond)
      ->MinTime(kMinSeconds);
}

}  // namespace

void registerLiveViewBenchmarks(ProgramOnScreen& program) {
  constexpr int kLensBarZooms = 40;
  benchmark::RegisterBenchmark(
      "first_tick_at_each_zoom",
      [&program](benchmark::State& state) { firstTickAtEachZoom(state, program); })
      ->MeasureProcessCPUTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(kLensBarZooms);
  for (const graphics::Size view : kViews) {
    for (const Zoom zoom : kZooms) {
      const Case viewCase{view, zoom};
      const std::string label = viewCase.label();
      add("live_view_tick/" + label,
          [&program, viewCase](benchmark::State& state) { tick(state, program, viewCase); });
      add("tick_without_paint/" + label, [&program, viewCase](benchmark::State& state) {
        tickWithoutPaint(state, program, viewCase);
      });
      if (zoom.tenths == kTenths) {  // the repaint is the same at every zoom
        add("view_repaint/" + label,
            [&program, viewCase](benchmark::State& state) { repaint(state, program, viewCase); });
      }
      add("screen_read/" + label,
          [viewCase](benchmark::State& state) { screenRead(state, viewCase); });
    }
  }
}

}  // namespace bench
