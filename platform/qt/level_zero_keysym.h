#pragma once

#include <cstdint>

namespace qtplatform {

// The keysym at level 0 of a key (its unshifted meaning: "1" for the key that also gives "!"),
// looked up on Qt's own X connection. `fallback` when there is no X connection or no keysym.
unsigned long levelZeroKeysym(std::uint32_t keycode, unsigned long fallback);

}  // namespace qtplatform
