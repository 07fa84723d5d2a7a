#include "bench/millisecond_table.h"

#include <cstdio>
#include <string>

namespace bench {
namespace {

constexpr const char* kRowFormat = "%-44s %10s %10s %10s %10s %8s  %s\n";

std::string counter(const benchmark::BenchmarkReporter::Run& run, const char* name) {
  const auto found = run.counters.find(name);
  if (found == run.counters.end()) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", found->second.value);
  return text;
}

std::string milliseconds(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

}  // namespace

bool MillisecondTable::ReportContext(const Context& context) {
  PrintBasicContext(&GetErrorStream(), context);
  std::printf(kRowFormat, "benchmark (ms per iteration)", "ours CPU", "X server", "ours+X", "wall",
              "iters", "");
  return true;
}

void MillisecondTable::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    // The family name and its case; the timing settings are the same for every row.
    std::string name = run.run_name.function_name;
    if (!run.aggregate_name.empty()) name += "_" + run.aggregate_name;
    if (run.error_occurred) {
      std::printf(kRowFormat, name.c_str(), "-", "-", "-", "-", "-", run.error_message.c_str());
      continue;
    }
    std::printf(kRowFormat, name.c_str(), milliseconds(run.GetAdjustedCPUTime()).c_str(),
                counter(run, "x_server_ms").c_str(), counter(run, "ours_plus_x_ms").c_str(),
                milliseconds(run.GetAdjustedRealTime()).c_str(),
                std::to_string(run.iterations).c_str(), run.report_label.c_str());
  }
  std::fflush(stdout);
}

}  // namespace bench
