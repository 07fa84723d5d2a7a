#pragma once

#include <string>

namespace x11 {

struct StartedProgram {
  int pid = 0;
  std::string name;  // what was started, for messages
};

// Starts the program at `path` (searched in $PATH when it holds no '/'), with no arguments, in
// a session of its own; it outlives us and leaves no zombie behind. The classic paint path
// starts the desktop's paint program. Returns once the program has been executed. Throws
// forms::RuntimeError::fileNotFound(path) when there is nothing to start or it cannot start.
StartedProgram startProgram(const std::string& path);

}  // namespace x11
