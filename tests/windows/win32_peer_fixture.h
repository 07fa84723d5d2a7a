#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/peers.h"
#include "platform/win32/ui/native_control.h"
#include "platform/win32/ui/win32_toolkit.h"

// The Win32 peers under Wine, with a listener that records what they report. The user is
// played by SendInput, which Wine queues as it queues what comes from the X server.
namespace win32_peer_test {

// Delivers this thread's messages until `condition` holds, at most `timeout`.
inline bool waitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

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

// A key pressed and released, as the keyboard sends it.
inline void pressKey(WORD virtualKey) {
  INPUT inputs[2]{};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  }
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
}

inline void holdKey(WORD virtualKey, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof(INPUT));
}

// Moves the pointer to `position` in the client pixels of `window`.
inline void movePointerTo(HWND window, POINT position) {
  ClientToScreen(window, &position);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(position.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(position.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(INPUT));
}

inline void leftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof(INPUT));
}

inline void clickAt(HWND window, POINT position) {
  movePointerTo(window, position);
  leftButton(true);
  leftButton(false);
}

class Recorder final : public forms::PeerListener {
 public:
  int clicks = 0;
  int stateChanges = 0;
  int ticks = 0;
  std::vector<forms::MouseArgs> moves;
  std::vector<int> scrolls;
  std::vector<std::string> edits;
  std::vector<std::pair<int, int>> keys;  // key code, shift
  std::vector<graphics::Size> resizes;
  std::function<void()> onKey;  // what the window's handler does on a key release

  void peerClicked() override { ++clicks; }
  void peerMouseMoved(const forms::MouseArgs& args) override { moves.push_back(args); }
  void peerScrolled(int value) override { scrolls.push_back(value); }
  void peerTextEdited(const std::string& text) override { edits.push_back(text); }
  void peerKeyReleased(int keyCode, int shift) override {
    keys.emplace_back(keyCode, shift);
    if (onKey) onKey();
  }
  void peerResized(graphics::Size client) override { resizes.push_back(client); }
  void peerWindowStateChanged() override { ++stateChanges; }
  void peerTicked() override { ++ticks; }
};

// A shown, active window of the given client size, ready for controls.
class Win32PeerTest : public ::testing::Test {
 protected:
  void openWindow(graphics::Size client) {
    window = toolkit.createWindow(windowEvents);
    window->setCaption("ピア試験");
    window->resizeClient(client);
  }
  // Shows the window and waits until it has the keyboard.
  void showWindow() {
    window->show();
    SetForegroundWindow(windowHandle());
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == windowHandle(); }))
        << "the window never became active";
  }
  HWND windowHandle() { return handleOf(*window); }

  win32::Win32Toolkit toolkit;
  Recorder windowEvents;
  std::unique_ptr<forms::WindowPeer> window;
};

}  // namespace win32_peer_test
