#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>

#include "platform/forms/peers.h"
#include "platform/win32/ui/native_control.h"
#include "platform/win32/ui/win32_toolkit.h"
#include "tests/peers/peer_fixture.h"

// The Win32 peers under Wine. The user is played by SendInput, which Wine queues as it queues
// what comes from the X server.
namespace win32_peer_test {

// Delivers this thread's messages until `condition` holds, at most `timeout`.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

// Lets messages come in for a while, so that late ones arrive.
inline void settle(int milliseconds) {
  waitUntil([] { return false; }, std::chrono::milliseconds(milliseconds));
}

inline HWND handleOf(forms::WidgetPeer& peer) {
  return dynamic_cast<win32::NativeControl&>(peer).handle();
}

inline HWND handleOf(forms::WindowPeer& peer) {
  return dynamic_cast<win32::NativeContainer&>(peer).containerWindow();
}

// A key pressed and released, as the keyboard sends it; one held down or let go.
void pressKey(WORD virtualKey);
void holdKey(WORD virtualKey, bool down);
// Moves the pointer to `position` in the client pixels of `window`.
void movePointerTo(HWND window, POINT position);
void leftButton(bool down);
inline void clickAt(HWND window, POINT position) {
  movePointerTo(window, position);
  leftButton(true);
  leftButton(false);
}

// The Win32 peers, for what only they do.
class Win32PeerTest : public peer_test::PeerTest {
 protected:
  HWND windowHandle() { return handleOf(*window); }
  win32::Win32Toolkit& win32Toolkit() { return dynamic_cast<win32::Win32Toolkit&>(toolkit); }
};

}  // namespace win32_peer_test
