#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/x11/connection.h"

namespace x11 {

// A key string matched to keys of this keyboard, ready to send.
struct KeyPresses {
  struct Stroke {
    std::vector<std::uint8_t> heldKeys;  // keycodes held around the key, in the order pressed
    std::uint8_t key = 0;
    bool operator==(const Stroke&) const = default;
  };
  std::vector<Stroke> strokes;
};

// Types key strings into whichever window has the keyboard focus, through XTEST.
class KeySender {
 public:
  explicit KeySender(Connection& connection);

  // Parses `keys` and finds the key (and Shift, where needed) that types each stroke. Throws
  // forms::RuntimeError::invalidKeyString when the string is malformed or needs a key this
  // keyboard lacks, before anything is sent.
  KeyPresses prepare(std::string_view keys) const;

  // Presses modifiers, the key, and releases them in reverse, stroke by stroke; returns once
  // the server has processed them all. Throws forms::RuntimeError when the server cannot take
  // simulated keys.
  void send(const KeyPresses& presses);

 private:
  Connection& connection_;
  bool canSimulateKeys_;
};

}  // namespace x11
