#include "platform/x11/key_sender.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <optional>
#include <string>

#include "platform/forms/runtime_error.h"
#include "platform/keys/key_string.h"
#include "platform/x11/error_trap.h"
#include "platform/x11/key_symbols.h"

namespace x11 {
namespace {

struct TypingKey {
  std::uint8_t keycode = 0;
  bool shifted = false;
};

// The keyboard's keysyms at the moment, in the core protocol's table, which every server has.
class KeyboardMap {
 public:
  explicit KeyboardMap(const Connection& connection) {
    ErrorTrap trap(connection);
    XDisplayKeycodes(connection.display(), &firstKeycode_, &lastKeycode_);
    symbols_ = XGetKeyboardMapping(connection.display(), static_cast<KeyCode>(firstKeycode_),
                                   lastKeycode_ - firstKeycode_ + 1, &symbolsPerKeycode_);
  }
  ~KeyboardMap() {
    if (symbols_ != nullptr) XFree(symbols_);
  }
  KeyboardMap(const KeyboardMap&) = delete;
  KeyboardMap& operator=(const KeyboardMap&) = delete;

  std::optional<TypingKey> find(KeySym keysym) const {
    if (keysym == NoSymbol) return std::nullopt;
    // Unshifted first, so that a keysym on two keys comes out without Shift.
    for (int level = 0; level < std::min(symbolsPerKeycode_, 2); ++level) {
      if (const auto keycode = keycodeWith(keysym, level)) return TypingKey{*keycode, level == 1};
    }
    // Letters may be listed in lower case only, standing for both cases.
    KeySym lower = NoSymbol;
    KeySym upper = NoSymbol;
    XConvertCase(keysym, &lower, &upper);
    if (lower != keysym && symbolsPerKeycode_ > 0) {
      if (const auto keycode = keycodeWith(lower, 0)) return TypingKey{*keycode, true};
    }
    return std::nullopt;
  }

 private:
  std::optional<std::uint8_t> keycodeWith(KeySym keysym, int level) const {
    if (symbols_ == nullptr) return std::nullopt;
    for (int keycode = firstKeycode_; keycode <= lastKeycode_; ++keycode) {
      if (symbols_[(keycode - firstKeycode_) * symbolsPerKeycode_ + level] == keysym) {
        return static_cast<std::uint8_t>(keycode);
      }
    }
    return std::nullopt;
  }

  int firstKeycode_ = 0;
  int lastKeycode_ = -1;
  int symbolsPerKeycode_ = 0;
  KeySym* symbols_ = nullptr;
};

KeySym modifierKeysym(keys::Modifier modifier) {
  switch (modifier) {
    case keys::Modifier::Shift:
      return XK_Shift_L;
    case keys::Modifier::Control:
      return XK_Control_L;
    case keys::Modifier::Alt:
      return XK_Alt_L;
  }
  return NoSymbol;
}

std::string modifierLabel(keys::Modifier modifier) {
  switch (modifier) {
    case keys::Modifier::Shift:
      return "Shift";
    case keys::Modifier::Control:
      return "Ctrl";
    case keys::Modifier::Alt:
      return "Alt";
  }
  return {};
}

bool hasXTest(const Connection& connection) {
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  return XTestQueryExtension(connection.display(), &eventBase, &errorBase, &major, &minor);
}

}  // namespace

KeySender::KeySender(Connection& connection)
    : connection_(connection), canSimulateKeys_(hasXTest(connection)) {}

KeyPresses KeySender::prepare(std::string_view keys) const {
  const std::vector<keys::KeyStroke> strokes = keys::parseKeyString(keys);
  const KeyboardMap keyboard(connection_);
  const auto typing = [&](KeySym keysym, const std::string& label) {
    const auto key = keyboard.find(keysym);
    if (!key) {
      throw forms::RuntimeError::invalidKeyString(
          std::string(keys), "このキーボードには「" + label + "」を打つキーがありません");
    }
    return *key;
  };

  KeyPresses presses;
  for (const keys::KeyStroke& stroke : strokes) {
    KeyPresses::Stroke press;
    for (const keys::Modifier modifier : stroke.modifiers) {
      press.heldKeys.push_back(typing(modifierKeysym(modifier), modifierLabel(modifier)).keycode);
    }
    const TypingKey key = typing(keysymForKey(stroke.key), stroke.key);
    const bool shiftGiven = std::find(stroke.modifiers.begin(), stroke.modifiers.end(),
                                      keys::Modifier::Shift) != stroke.modifiers.end();
    if (key.shifted && !shiftGiven) {
      press.heldKeys.push_back(typing(XK_Shift_L, modifierLabel(keys::Modifier::Shift)).keycode);
    }
    press.key = key.keycode;
    presses.strokes.push_back(std::move(press));
  }
  return presses;
}

void KeySender::send(const KeyPresses& presses) {
  if (!canSimulateKeys_) throw forms::RuntimeError::invalidProcedureCall();
  Display* display = connection_.display();
  ErrorTrap trap(connection_);
  for (const KeyPresses::Stroke& stroke : presses.strokes) {
    for (const std::uint8_t held : stroke.heldKeys)
      XTestFakeKeyEvent(display, held, True, CurrentTime);
    XTestFakeKeyEvent(display, stroke.key, True, CurrentTime);
    XTestFakeKeyEvent(display, stroke.key, False, CurrentTime);
    for (auto held = stroke.heldKeys.rbegin(); held != stroke.heldKeys.rend(); ++held) {
      XTestFakeKeyEvent(display, *held, False, CurrentTime);
    }
  }
  // Syncing is what "sent" means here; it also keeps any error of these requests in the trap.
  if (trap.failed()) throw forms::RuntimeError::invalidProcedureCall();
}

}  // namespace x11
