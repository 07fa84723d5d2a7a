#pragma once

#include <benchmark/benchmark.h>
#include <sys/types.h>

#include <optional>

namespace bench {

// Our CPU time and the X server's across a benchmark's loop, added to its results as
// milliseconds per iteration: "x_server_ms" and "ours_plus_x_ms". Start it right before the
// loop; keep the loop free of paused stretches.
class CpuMeter {
 public:
  CpuMeter();
  void report(benchmark::State& state) const;

 private:
  struct Reading {
    double ours = 0;
    double server = 0;
  };
  Reading now() const;

  std::optional<pid_t> server_;
  Reading start_;
};

}  // namespace bench
