#include "platform/x11/key_symbols.h"

#include <X11/keysym.h>

#include "platform/keys/utf8.h"

namespace x11 {
namespace {

struct NamedKey {
  std::string_view name;
  unsigned long keysym;
};

constexpr NamedKey kNamedKeys[] = {{"BACKSPACE", XK_BackSpace},
                                   {"BREAK", XK_Break},
                                   {"CAPSLOCK", XK_Caps_Lock},
                                   {"DELETE", XK_Delete},
                                   {"DOWN", XK_Down},
                                   {"END", XK_End},
                                   {"ENTER", XK_Return},
                                   {"ESC", XK_Escape},
                                   {"HELP", XK_Help},
                                   {"HOME", XK_Home},
                                   {"INSERT", XK_Insert},
                                   {"LEFT", XK_Left},
                                   {"NUMLOCK", XK_Num_Lock},
                                   {"PGDN", XK_Next},
                                   {"PGUP", XK_Prior},
                                   {"PRTSC", XK_Print},
                                   {"RIGHT", XK_Right},
                                   {"SCROLLLOCK", XK_Scroll_Lock},
                                   {"TAB", XK_Tab},
                                   {"UP", XK_Up},
                                   {"ADD", XK_KP_Add},
                                   {"SUBTRACT", XK_KP_Subtract},
                                   {"MULTIPLY", XK_KP_Multiply},
                                   {"DIVIDE", XK_KP_Divide},
                                   {"F1", XK_F1},
                                   {"F2", XK_F2},
                                   {"F3", XK_F3},
                                   {"F4", XK_F4},
                                   {"F5", XK_F5},
                                   {"F6", XK_F6},
                                   {"F7", XK_F7},
                                   {"F8", XK_F8},
                                   {"F9", XK_F9},
                                   {"F10", XK_F10},
                                   {"F11", XK_F11},
                                   {"F12", XK_F12},
                                   {"F13", XK_F13},
                                   {"F14", XK_F14},
                                   {"F15", XK_F15},
                                   {"F16", XK_F16}};

// Keysyms of Unicode characters beyond Latin-1 are the code point plus this.
constexpr unsigned long kUnicodeKeysymBase = 0x01000000;

}  // namespace

unsigned long keysymForKey(std::string_view key) {
  for (const NamedKey& named : kNamedKeys) {
    if (named.name == key) return named.keysym;
  }
  const auto character = keys::firstUtf8Character(key);
  if (!character || character->length != key.size()) return 0;
  const char32_t c = character->codePoint;
  const bool control = c < 0x20 || (c >= 0x7F && c < 0xA0);
  if (control) return 0;
  // Latin-1 keysyms are the code points themselves.
  return c <= 0xFF ? c : kUnicodeKeysymBase + c;
}

}  // namespace x11
