#include "platform/win32/desktop/win32_desktop.h"

#include <windows.h>

#include "platform/win32/desktop/paint_program.h"
#include "platform/win32/ui/timer_peer.h"

namespace win32 {

Win32Desktop::Win32Desktop()
    : paint_(startPaintProgram,
             [](forms::PeerListener& listener) { return std::make_unique<TimerPeer>(listener); }) {}

void Win32Desktop::Beep() { MessageBeep(MB_OK); }

}  // namespace win32
