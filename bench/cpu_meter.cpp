#include "bench/cpu_meter.h"

#include <ctime>

#include "bench/cpu_clock.h"

namespace bench {
namespace {

double ourCpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

CpuMeter::CpuMeter() : server_(xServerPid()), start_(now()) {}

CpuMeter::Reading CpuMeter::now() const {
  const std::optional<double> server = server_ ? processCpuMilliseconds(*server_) : std::nullopt;
  return {ourCpuMilliseconds(), server.value_or(0)};
}

void CpuMeter::report(benchmark::State& state) const {
  const Reading end = now();
  const double server = end.server - start_.server;
  const double ours = end.ours - start_.ours;
  if (server_) {
    state.counters["x_server_ms"] = benchmark::Counter(server, benchmark::Counter::kAvgIterations);
    state.counters["ours_plus_x_ms"] =
        benchmark::Counter(ours + server, benchmark::Counter::kAvgIterations);
  }
}

}  // namespace bench
