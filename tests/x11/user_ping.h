#pragma once

#include <chrono>
#include <functional>

#include "wait_until.h"

class TestDisplay;

// Waits until the program that owns `window` has handled every event sent to it before this
// call: the window manager's ping (_NET_WM_PING), answered from the program's event loop, twice,
// since the loop may answer a ping before it delivers the input read in the same pass. Between
// looks, `betweenLooks` runs the program's loop when it runs in this process, else pauses: a
// second ping sent the moment the first is answered may be answered in that same pass too. The
// program reads the pointer when it handles a key: a user who moves on early marks wrong places.
bool waitUntilHandled(const TestDisplay& display, unsigned long window,
                      std::chrono::milliseconds timeout,
                      const std::function<void()>& betweenLooks = sleepBetweenLooks);
