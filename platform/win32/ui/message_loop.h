#pragma once

namespace win32 {

// Delivers the thread's messages until the window is closed (WM_QUIT); returns the exit code
// that came with it.
int runMessageLoop();

}  // namespace win32
