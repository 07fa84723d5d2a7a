#pragma once

#include <memory>

#include "platform/x11/connection.h"
#include "platform/x11/new_windows.h"
#include "platform/x11/program_launcher.h"

namespace x11 {

// The main window that starting `program` produced, looked for until it is active, so that keys
// sent next reach it. That is a new window (in `newWindows`, made before the start), viewable
// and of normal type (not a splash screen), of a process in the program's session (the started
// one, or one that it started: a wrapper that starts the real program and exits leaves it in
// that session) or, where process ids cannot be matched (a sandbox gives the program ids of its
// own), whose WM_CLASS names the program. Active means _NET_ACTIVE_WINDOW names it; a window
// manager that leaves it in the background is asked to activate it. On a desktop without a
// window manager that publishes the active window, we give the window the keyboard focus
// ourselves. All three must outlive this.
class ProgramWindow {
 public:
  ProgramWindow(Connection& connection, const StartedProgram& program, NewWindows& newWindows);
  ~ProgramWindow();
  ProgramWindow(const ProgramWindow&) = delete;
  ProgramWindow& operator=(const ProgramWindow&) = delete;

  // One look: true once the program's window can take keys.
  bool ready();

 private:
  class Finder;
  std::unique_ptr<Finder> finder_;
};

}  // namespace x11
