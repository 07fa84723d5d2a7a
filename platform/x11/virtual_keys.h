#pragma once

#include <string_view>

namespace x11 {

// The classic virtual-key code of a key that was released, as the program's key handlers
// expect it: 48..57 for the main row's digit keys whatever the layout and Shift do, 65..90 for
// letters whatever Shift does, 96..105 for keypad digits with Num Lock on, navigation codes for
// the keypad with Num Lock off (35 End, 40 Down, ...), 0 for keys without a code. `keysym` is
// the key's keysym with the modifiers and layout of the moment; `unshiftedKeysym` its keysym at
// the first level of the first layout (0 if unknown); `keyName` its XKB name ("AE01"; empty if
// unknown), which tells the key's place on the keyboard.
int virtualKeyCode(unsigned long keysym, unsigned long unshiftedKeysym, std::string_view keyName);

// The XKB name of a main-row digit key by its key code under the evdev rules of Linux desktops
// (the kernel's code + 8; always so on Wayland, where no keyboard map is read): "AE01" for 10
// to "AE10" for 19; empty for every other key.
std::string_view evdevDigitRowKeyName(unsigned int keycode);

}  // namespace x11
