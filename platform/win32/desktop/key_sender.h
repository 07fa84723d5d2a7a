#pragma once

#include <windows.h>

#include <vector>

namespace win32 {

// Types keyboard input (see keyboardInput) into whichever window has the keyboard focus, and
// returns without waiting for that window to take it: nothing of ours waits on another
// program. Throws forms::RuntimeError when Windows takes none or only part of the input.
void sendKeyboardInput(const std::vector<INPUT>& input);

}  // namespace win32
