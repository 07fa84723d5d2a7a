#pragma once

#include <windows.h>

#include <vector>

namespace win32 {

// Types keyboard input (see keyboardInput) into whichever window has the keyboard focus.
// With `wait`, returns once Windows has put every key into that window's queue and the window
// has gone back to its message loop once for each message they make there, which a program
// that handles its messages one by one does after it has handled them. Throws
// forms::RuntimeError when Windows takes none or only part of the input.
void sendKeyboardInput(const std::vector<INPUT>& input, bool wait);

}  // namespace win32
