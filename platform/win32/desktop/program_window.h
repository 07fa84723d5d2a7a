#pragma once

#include <chrono>

#include "platform/win32/desktop/program_launcher.h"

namespace win32 {

// Waits, polling, until the main window of `program` is the foreground window, so that keys
// sent next reach it. That is a visible top-level window with a task-bar button of its own
// (not a dialog or a palette, which have none, nor most splash screens), of a process in the
// program's job: the started one or one it started, which makes it a window created after the
// start; windows of anything else never count. A window of the program left in the
// background is brought forward, once. Our windows keep painting meanwhile. False when no
// such window came up in time.
bool waitForProgramWindow(const StartedProgram& program, std::chrono::milliseconds timeout);

}  // namespace win32
