#pragma once

#include <chrono>

namespace win32 {

// While a desktop service waits on another program, for up to `timeout`: our windows repaint
// and whatever other threads send us is answered (Windows calls a low-level keyboard hook that
// way too), but no handler of ours runs: no user input, no timers.
void serveWhileWaiting(std::chrono::milliseconds timeout);

}  // namespace win32
