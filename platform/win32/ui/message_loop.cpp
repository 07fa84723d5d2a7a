#include "platform/win32/ui/message_loop.h"

#include <windows.h>

namespace win32 {

int runMessageLoop() {
  MSG message{};
  // GetMessage gives -1 only for an invalid window handle, which this loop never passes.
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace win32
