#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace win32 {

// The key string (see platform/keys/key_string.h) as keyboard input for SendInput, typed on
// the keyboard layout of the moment: each stroke presses its modifiers, plus the Shift, Ctrl
// or Alt that its character needs there, presses and releases the key, then releases the
// modifiers in reverse. A character that no key of the layout types goes as the character
// itself (KEYEVENTF_UNICODE). Throws forms::RuntimeError::invalidKeyString on a malformed
// string.
std::vector<INPUT> keyboardInput(std::string_view keys);

}  // namespace win32
