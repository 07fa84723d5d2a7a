#include "platform/win32/desktop/key_input.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

#include "platform/keys/key_string.h"
#include "platform/keys/utf8.h"
#include "platform/win32/utf16.h"

namespace win32 {
namespace {

struct VirtualKey {
  WORD code = 0;
  bool extended = false;  // one of the keys that the enhanced keyboard added, with an E0 prefix
};

struct NamedKey {
  std::string_view name;
  VirtualKey key;
};

constexpr NamedKey kNamedKeys[] = {{"BACKSPACE", {VK_BACK}},
                                   {"BREAK", {VK_CANCEL, true}},
                                   {"CAPSLOCK", {VK_CAPITAL}},
                                   {"DELETE", {VK_DELETE, true}},
                                   {"DOWN", {VK_DOWN, true}},
                                   {"END", {VK_END, true}},
                                   {"ENTER", {VK_RETURN}},
                                   {"ESC", {VK_ESCAPE}},
                                   {"HELP", {VK_HELP}},
                                   {"HOME", {VK_HOME, true}},
                                   {"INSERT", {VK_INSERT, true}},
                                   {"LEFT", {VK_LEFT, true}},
                                   {"NUMLOCK", {VK_NUMLOCK, true}},
                                   {"PGDN", {VK_NEXT, true}},
                                   {"PGUP", {VK_PRIOR, true}},
                                   {"PRTSC", {VK_SNAPSHOT, true}},
                                   {"RIGHT", {VK_RIGHT, true}},
                                   {"SCROLLLOCK", {VK_SCROLL}},
                                   {"TAB", {VK_TAB}},
                                   {"UP", {VK_UP, true}},
                                   {"ADD", {VK_ADD}},
                                   {"SUBTRACT", {VK_SUBTRACT}},
                                   {"MULTIPLY", {VK_MULTIPLY}},
                                   {"DIVIDE", {VK_DIVIDE, true}}};

constexpr int kFunctionKeys = 16;

std::optional<VirtualKey> namedKey(std::string_view name) {
  for (const NamedKey& named : kNamedKeys) {
    if (named.name == name) return named.key;
  }
  int number = 0;
  if (name.size() > 1 && name.front() == 'F') {
    const auto [end, error] = std::from_chars(name.data() + 1, name.data() + name.size(), number);
    if (error == std::errc() && end == name.data() + name.size() && number >= 1 &&
        number <= kFunctionKeys) {
      return VirtualKey{static_cast<WORD>(VK_F1 + number - 1)};
    }
  }
  return std::nullopt;
}

WORD modifierKey(keys::Modifier modifier) {
  switch (modifier) {
    case keys::Modifier::Shift:
      return VK_SHIFT;
    case keys::Modifier::Control:
      return VK_CONTROL;
    case keys::Modifier::Alt:
      return VK_MENU;
  }
  return 0;
}

INPUT keyEvent(VirtualKey key, bool release) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key.code;
  // The scan code too, for programs that read it rather than the virtual key.
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key.code, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (key.extended ? KEYEVENTF_EXTENDEDKEY : 0U) | (release ? KEYEVENTF_KEYUP : 0U);
  return input;
}

INPUT characterEvent(wchar_t unit, bool release) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = unit;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (release ? KEYEVENTF_KEYUP : 0U);
  return input;
}

// A character's key on this layout and the modifiers (VkKeyScan's Shift 1, Ctrl 2, Alt 4) it
// needs there; nothing when no key types it with those alone.
struct TypingKey {
  VirtualKey key;
  std::vector<WORD> modifiers;
};
std::optional<TypingKey> typingKey(char32_t character) {
  if (character > 0xFFFF) return std::nullopt;
  const SHORT scan = VkKeyScanW(static_cast<wchar_t>(character));
  if (scan == -1) return std::nullopt;
  const auto shifts = static_cast<unsigned>(HIBYTE(scan));
  constexpr unsigned kShift = 1;
  constexpr unsigned kControl = 2;
  constexpr unsigned kAlt = 4;
  if ((shifts & ~(kShift | kControl | kAlt)) != 0) return std::nullopt;  // kana, OEM shifts
  TypingKey typing{{LOBYTE(scan)}, {}};
  if ((shifts & kShift) != 0) typing.modifiers.push_back(VK_SHIFT);
  if ((shifts & kControl) != 0) typing.modifiers.push_back(VK_CONTROL);
  if ((shifts & kAlt) != 0) typing.modifiers.push_back(VK_MENU);
  return typing;
}

void addStroke(std::vector<INPUT>& input, const keys::KeyStroke& stroke) {
  std::vector<WORD> held;
  for (const keys::Modifier modifier : stroke.modifiers) held.push_back(modifierKey(modifier));
  const auto hold = [&](WORD modifier) {
    if (std::find(held.begin(), held.end(), modifier) == held.end()) held.push_back(modifier);
  };
  std::vector<INPUT> press;
  if (const auto named = namedKey(stroke.key)) {
    press = {keyEvent(*named, false), keyEvent(*named, true)};
  } else {
    const char32_t character = keys::firstUtf8Character(stroke.key).value().codePoint;
    if (const auto typing = typingKey(character)) {
      for (const WORD modifier : typing->modifiers) hold(modifier);
      press = {keyEvent(typing->key, false), keyEvent(typing->key, true)};
    } else {
      // A character beyond the first plane goes as its two UTF-16 halves.
      const std::wstring units = toUtf16(stroke.key);
      for (const wchar_t unit : units) {
        press.push_back(characterEvent(unit, false));
        press.push_back(characterEvent(unit, true));
      }
    }
  }
  for (const WORD modifier : held) input.push_back(keyEvent({modifier}, false));
  input.insert(input.end(), press.begin(), press.end());
  for (auto modifier = held.rbegin(); modifier != held.rend(); ++modifier) {
    input.push_back(keyEvent({*modifier}, true));
  }
}

}  // namespace

std::vector<INPUT> keyboardInput(std::string_view keys) {
  std::vector<INPUT> input;
  for (const keys::KeyStroke& stroke : keys::parseKeyString(keys)) addStroke(input, stroke);
  return input;
}

}  // namespace win32
