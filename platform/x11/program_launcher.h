#pragma once

#include <string>
#include <string_view>

namespace x11 {

struct StartedProgram {
  int pid = 0;
  // The session it was started in, which whatever it starts keeps after it exits (a wrapper
  // script that forks the real program); 0 when unknown.
  int session = 0;
  std::string name;  // what was started, for messages: the path, or the paint program's name

  // Whether a window's WM_CLASS part (its instance or class name) names this program: the file
  // name in any letter case, alone, with a version ("gimp-2.10") or ending an application id
  // ("org.kde.kolourpaint").
  bool isNamedBy(std::string_view windowClass) const;
};

// Starts the program at `path` (searched in $PATH when it holds no '/'), with no arguments, in
// a session of its own; it outlives us and leaves no zombie behind. The classic paint path
// starts the desktop's paint program. Returns once the program has been executed. Throws
// forms::RuntimeError::fileNotFound when there is nothing to start or it cannot start, and
// paintProgramNotFound for the classic paint path when no paint program is installed.
StartedProgram startProgram(const std::string& path);

}  // namespace x11
