#include "platform/x11/keyboard_map.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XKBstr.h>

#include <algorithm>

namespace x11 {

KeyboardMap KeyboardMap::read(Display* display) {
  KeyboardMap map;
  XkbDescPtr keyboard = XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
  if (keyboard == nullptr) return map;
  const bool named = XkbGetNames(display, XkbKeyNamesMask, keyboard) == Success &&
                     keyboard->names != nullptr && keyboard->names->keys != nullptr;
  map.keys_.resize(keyboard->max_key_code + 1U);
  for (unsigned int code = keyboard->min_key_code; code <= keyboard->max_key_code; ++code) {
    Key& key = map.keys_[code];
    if (named) std::copy_n(keyboard->names->keys[code].name, key.name.size(), key.name.begin());
    if (XkbKeyNumGroups(keyboard, code) > 0)
      key.unshiftedKeysym = XkbKeySymEntry(keyboard, code, 0, 0);
  }
  XkbFreeKeyboard(keyboard, 0, True);
  return map;
}

const KeyboardMap::Key* KeyboardMap::find(unsigned int keycode) const {
  return keycode < keys_.size() ? &keys_[keycode] : nullptr;
}

std::string_view KeyboardMap::nameOf(unsigned int keycode) const {
  const Key* key = find(keycode);
  if (key == nullptr) return {};
  const std::string_view name(key->name.data(), key->name.size());
  return name.substr(0, name.find('\0'));
}

unsigned long KeyboardMap::unshiftedKeysymOf(unsigned int keycode) const {
  const Key* key = find(keycode);
  return key != nullptr ? key->unshiftedKeysym : 0;
}

}  // namespace x11
