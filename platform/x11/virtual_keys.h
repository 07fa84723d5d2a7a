#pragma once

namespace x11 {

// The classic virtual-key code of a key that was released, as the program's key handlers
// expect it: 48..57 for the main-row digits and 65..90 for letters whatever Shift does, 96..105
// for keypad digits with Num Lock on, navigation codes for the keypad with Num Lock off (35 End,
// 40 Down, ...), 0 for keys without a code. `keysym` is the key's keysym with the modifiers of
// the moment; `unshiftedKeysym` its first-level keysym (0 if unknown), which names the physical
// key.
int virtualKeyCode(unsigned long keysym, unsigned long unshiftedKeysym);

}  // namespace x11
