#pragma once

#include <sys/types.h>

#include <optional>

namespace bench {

// CPU time that process `pid` has used so far, all its threads, in milliseconds: the kernel's
// nanosecond run-time accounting (/proc/PID/task/*/schedstat), which the clock-tick counts of
// /proc/PID/stat are too coarse for at a millisecond a frame. Nothing when the process is gone.
std::optional<double> processCpuMilliseconds(pid_t pid);

// The X server behind $DISPLAY: the process listening on its local socket. Nothing when it is
// not a local server.
std::optional<pid_t> xServerPid();

}  // namespace bench
