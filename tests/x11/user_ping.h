#pragma once

#include <chrono>

class UserConnection;

// Waits until the program that owns `window` has handled every event sent to it before this
// call: the window manager's ping (_NET_WM_PING), answered from the program's event loop. Two
// round trips, because the loop may answer a ping before it delivers the input events it
// read in the same pass. The program reads the pointer only when it handles a key, so a user
// who moves on too early would mark the wrong place; this is the user's pause, made exact.
bool waitUntilHandled(const UserConnection& connection, unsigned long window,
                      std::chrono::milliseconds timeout);
