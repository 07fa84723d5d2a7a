#pragma once

#include <string>

#include "platform/forms/runtime_error.h"

namespace wayland {

// "The desktop cannot answer just now": no permission yet, no frame yet, the pointer's place
// not known. Thrown where the program asks, it ends the handler at the runtime's error
// boundary, which tells the user `status`; nothing is drawn and nothing goes to the clipboard.
inline forms::RuntimeError notReady(const std::string& status) {
  constexpr int kScreenUnreadable = 5;
  return {kScreenUnreadable, status};
}

}  // namespace wayland
