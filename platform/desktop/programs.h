#pragma once

#include <string>

namespace platform {

// The window style of a started program that gets a normal, focused window.
constexpr int vbNormalFocus = 1;

// Starting other programs and typing into them.
class Programs {
 public:
  virtual ~Programs() = default;

  // Starts a program; returns its task identifier. Throws RuntimeError when it cannot start.
  virtual double Shell(const std::string& path, int windowStyle) = 0;
  // Sends keys in the runtime's notation ("^" Ctrl, "%" Alt, "+" Shift, "{NAME}") to the active
  // window. With `wait`, returns after they have been processed. Right after Shell() it first
  // waits, bounded, for the started program's window to become active. Throws RuntimeError
  // on a malformed string (nothing sent) or when that window does not appear.
  virtual void SendKeys(const std::string& keys, bool wait) = 0;
};

}  // namespace platform
