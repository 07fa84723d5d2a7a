#pragma once

#include <stdexcept>
#include <string>

namespace forms {

// The desktop cannot answer just now: the pointer's place is not known yet, no picture of the
// screen has arrived yet, a hand-off to another program is still under way. Not an error: the
// handler ends where it stands, nothing else happens (no beep, the clipboard untouched), and
// the user sees `status`, a short note, instead of an error message.
class NotReady : public std::runtime_error {
 public:
  explicit NotReady(const std::string& status) : std::runtime_error(status) {}

  std::string status() const { return what(); }
};

}  // namespace forms
