#include "platform/win32/desktop/win32_desktop.h"

#include <windows.h>

namespace win32 {

void Win32Desktop::Beep() { MessageBeep(MB_OK); }

}  // namespace win32
