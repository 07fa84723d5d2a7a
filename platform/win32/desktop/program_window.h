#pragma once

#include <windows.h>

#include "platform/win32/desktop/program_launcher.h"

namespace win32 {

// The main window of `program`, looked for until it is the foreground window, so that keys
// sent next reach it. That is a visible top-level window with a task-bar button of its own
// (not a dialog or a palette, which have none, nor most splash screens), of a process in the
// program's job: the started one or one it started, which makes it a window created after the
// start; windows of anything else never count. A window of the program left in the
// background is brought forward, once. `program` must outlive this.
class ProgramWindow {
 public:
  explicit ProgramWindow(const StartedProgram& program) : program_(program) {}

  // One look: true once the program's main window is in the foreground.
  bool ready();

 private:
  static BOOL CALLBACK consider(HWND window, LPARAM finder);
  bool isProgramWindow(HWND window) const;

  const StartedProgram& program_;
  HWND askedFor_ = nullptr;  // brought forward once: Windows' answer follows
};

}  // namespace win32
