#pragma once

#include <windows.h>

#include "platform/forms/peers.h"

namespace win32 {

// The runtime's shift state (1 Shift, 2 Ctrl, 4 Alt) as the message being handled saw it.
int shiftState();

// A pointer move at `position` (pixels within the control), with the buttons of a mouse
// message's flags (MK_LBUTTON, ...).
forms::MouseArgs mouseArgs(WPARAM flags, POINT position);

// The same with the buttons as the message being handled saw them, for messages that carry no
// button flags (WM_NCMOUSEMOVE).
forms::MouseArgs mouseArgs(POINT position);

}  // namespace win32
