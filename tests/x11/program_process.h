#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// Where a child's standard streams lead: to these descriptors, and its errors to this file,
// where given; to ours otherwise.
struct StandardStreams {
  int input = -1;
  int output = -1;
  std::string errorFile;
};

// A process the tests start, stopped and reaped when the object goes: SIGTERM, then SIGKILL if
// it has not ended within a bound.
class ChildProcess {
 public:
  // `argv[0]` is looked up in PATH.
  explicit ChildProcess(const std::vector<std::string>& argv, const StandardStreams& streams = {});
  ~ChildProcess() { stop(); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  int pid() const { return pid_; }
  bool running();
  // Waits up to `bound` for the process to end by itself; its exit status, or nothing if it
  // is still running or was ended by a signal.
  std::optional<int> exitStatusWithin(std::chrono::milliseconds bound);
  void stop();

 private:
  int pid_ = -1;
  bool reaped_ = false;
  std::optional<int> waitStatus_;
};

// Runs a command to its end and returns what it wrote to stdout; nothing when it could not run,
// failed, or took longer than `timeout` (it is killed then).
std::optional<std::string> outputOf(const std::vector<std::string>& argv,
                                    std::chrono::milliseconds timeout);

// Whether a process that is not our child has ended.
bool foreignProcessGone(int pid);

// Ends a process that is not our child (a program that the program under test started):
// SIGTERM, then SIGKILL if it is still there after a bound.
void endForeignProcess(int pid);
