#include "platform/win32/desktop/key_sender.h"

#include "platform/forms/runtime_error.h"

namespace win32 {

void sendKeyboardInput(const std::vector<INPUT>& input) {
  if (input.empty()) return;
  const auto count = static_cast<UINT>(input.size());
  if (SendInput(count, const_cast<INPUT*>(input.data()), sizeof(INPUT)) != count) {
    throw forms::RuntimeError::invalidProcedureCall();
  }
}

}  // namespace win32
