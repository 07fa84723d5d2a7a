#pragma once

#include <chrono>
#include <functional>

#include "platform/x11/connection.h"
#include "platform/x11/new_windows.h"
#include "platform/x11/program_launcher.h"

namespace x11 {

// Waits, polling, until the main window that starting `program` produced is active, so that
// keys sent next reach it. That is a new window (in `newWindows`, made before the start),
// viewable and of normal type (not a splash screen), of a process in the program's session
// (the started one, or one that it started: a wrapper that starts the real program and exits
// leaves it in that session) or, where process ids cannot be matched (a sandbox gives the
// program ids of its own), whose WM_CLASS names the program. Active means _NET_ACTIVE_WINDOW
// names it; a window manager that leaves it in the background is asked to activate it. On a
// desktop without a window manager that publishes the active window, we give the window the
// keyboard focus ourselves. False when no such window came up in time. `betweenLooks` runs
// between two looks, a few dozen times a second: the program may ask us for something before
// it shows its window (kolourpaint asks for the clipboard), so the caller keeps serving it.
bool waitForProgramWindow(Connection& connection, const StartedProgram& program,
                          NewWindows& newWindows, std::chrono::milliseconds timeout,
                          const std::function<void()>& betweenLooks);

}  // namespace x11
