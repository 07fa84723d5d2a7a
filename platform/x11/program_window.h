#pragma once

#include <chrono>
#include <functional>

#include "platform/x11/connection.h"

namespace x11 {

// Waits, polling, until the main window of process `pid` (by _NET_WM_PID; a viewable window of
// normal type, not a splash screen) is active, so that keys sent next reach it. Active means
// _NET_ACTIVE_WINDOW names it; a window manager that leaves it in the background is asked to
// activate it. On a desktop without a window manager that publishes the active window, we give
// the window the keyboard focus ourselves. False when no such window came up in time.
// `betweenLooks` runs between two looks, a few dozen times a second: the program may ask us for
// something before it shows its window (kolourpaint asks for the clipboard), so the caller keeps
// serving it.
bool waitForProgramWindow(Connection& connection, int pid, std::chrono::milliseconds timeout,
                          const std::function<void()>& betweenLooks);

}  // namespace x11
