#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "platform/x11/display_type.h"

namespace x11 {

// What each key of the keyboard is, by key code: its XKB name, which tells its place whatever
// the layout ("AE01" is the main row's "1" key, which French layouts print "&" on), and its
// keysym at the first level of the first layout. Read in one go, so that a key event asks the
// server nothing.
class KeyboardMap {
 public:
  // Knows no key.
  KeyboardMap() = default;
  // The keyboard's map as the server has it now (two round trips); one that knows no key when
  // the server has no XKB.
  static KeyboardMap read(_XDisplay* display);

  // Empty when unknown.
  std::string_view nameOf(unsigned int keycode) const;
  // 0 when unknown.
  unsigned long unshiftedKeysymOf(unsigned int keycode) const;

 private:
  struct Key {
    std::array<char, 4> name{};  // NUL-padded, as XKB keeps it
    unsigned long unshiftedKeysym = 0;
  };
  const Key* find(unsigned int keycode) const;

  std::vector<Key> keys_;  // by key code
};

}  // namespace x11
