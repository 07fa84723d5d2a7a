#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The key-string notation of the runtime's key sending: "^" Ctrl, "%" Alt, "+" Shift applied to
// the next key or to a parenthesised group, "{NAME}" a named key, "{NAME n}" a key repeated,
// "~" Enter, "{+}" and friends for the special characters themselves, anything else a plain
// character.
namespace keys {

enum class Modifier { Shift, Control, Alt };

struct KeyStroke {
  std::vector<Modifier> modifiers;  // held while the key is pressed, in the order given
  std::string key;                  // a single character ("v") or a key name ("F4", "ENTER")
  bool operator==(const KeyStroke&) const = default;
};

// Throws forms::RuntimeError::invalidKeyString on a malformed string; nothing is sent then.
std::vector<KeyStroke> parseKeyString(std::string_view keys);

// Every key name the notation knows, spelt as KeyStroke::key holds it ("F4", "ENTER"; aliases
// such as "BS" come out under their main name).
std::span<const std::string_view> keyNames();

}  // namespace keys
