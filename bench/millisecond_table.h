#pragma once

#include <benchmark/benchmark.h>

namespace bench {

// Prints each benchmark as one row in milliseconds per iteration: our process's CPU time, the
// X server's, their sum, and the wall time.
class MillisecondTable final : public benchmark::BenchmarkReporter {
 public:
  bool ReportContext(const Context& context) override;
  void ReportRuns(const std::vector<Run>& runs) override;
};

}  // namespace bench
