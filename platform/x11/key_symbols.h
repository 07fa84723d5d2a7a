#pragma once

#include <string_view>

namespace x11 {

// The X keysym that a KeyStroke's key stands for: a key name of the notation ("F4", "ENTER")
// or a single UTF-8 character. 0 when there is none (an unknown name, a control character).
unsigned long keysymForKey(std::string_view key);

}  // namespace x11
