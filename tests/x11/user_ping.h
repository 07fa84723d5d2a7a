#pragma once

#include <chrono>
#include <functional>

#include "wait_until.h"

class TestDisplay;

// Waits until the program that owns `window` has handled every event sent to it before this
// call: the window manager's ping (_NET_WM_PING), answered from the program's event loop. Two
// round trips, because the loop may answer a ping before it delivers the input events it
// read in the same pass. The program reads the pointer only when it handles a key, so a user
// who moves on too early would mark the wrong place; this is the user's pause, made exact.
// Between two looks it runs `betweenLooks`: the program's event loop when it runs in this
// process, else a pause. Not a wait for the answer: Qt's loop takes in whatever comes in
// while it answers, so a second ping sent the moment the first is answered can be answered in
// the same pass, before the input of that pass is delivered.
bool waitUntilHandled(const TestDisplay& display, unsigned long window,
                      std::chrono::milliseconds timeout,
                      const std::function<void()>& betweenLooks = sleepBetweenLooks);
