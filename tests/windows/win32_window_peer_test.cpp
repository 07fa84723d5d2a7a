#include <windows.h>

#include <utility>

#include "platform/win32/ui/message_loop.h"
#include "tests/windows/win32_peer_fixture.h"

namespace win32_peer_test {
namespace {

// What only the Win32 window has to do: minimise and restore, keys of the keypad, its message
// loop. The rest of the peers' behaviour is in tests/peers, for every toolkit.
using WindowPeerTest = Win32PeerTest;
using peer_test::Recorder;

// Windows' smallest window leaves more than a pixel inside its frame (tests/peers checks that
// a window asked smaller gets that size).
TEST_F(WindowPeerTest, TheSmallestClientAreaIsWhatWindowsSmallestWindowLeaves) {
  openWindow({300, 200});
  EXPECT_GT(window->smallestClientSize().width, 1);
}

TEST_F(WindowPeerTest, MinimisedKeepsTheSizeItWillGetBackAndSaysSo) {
  openWindow({300, 200});
  showWindow();
  SendMessageW(windowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(waitUntil([&] { return window->minimized(); }));
  EXPECT_EQ(windowEvents.stateChanges, 1);
  EXPECT_EQ(window->clientSize(), (graphics::Size{300, 200}));
  window->resizeClient({320, 210});  // asked while minimised: taken on restoring

  SendMessageW(windowHandle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(waitUntil([&] { return !window->minimized(); }));
  EXPECT_EQ(windowEvents.stateChanges, 2);
  EXPECT_EQ(window->clientSize(), (graphics::Size{320, 210}));

  SendMessageW(windowHandle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(waitUntil([&] { return window->maximized(); }));
  EXPECT_EQ(windowEvents.stateChanges, 3);
  EXPECT_TRUE(windowEvents.resizes.empty());
}

// The keys that only Win32 tells apart here: a keypad digit comes as its own key, and the
// window sees a key before the control with the focus, so that its handler may move the focus
// first.
TEST_F(WindowPeerTest, SeesAKeypadDigitAsItsOwnKeyAndEveryKeyBeforeTheFocusedControl) {
  openWindow({300, 200});
  Recorder buttonEvents;
  const auto button = toolkit.createButton(*window, buttonEvents);
  const auto bar = toolkit.createScrollBar(*window, buttonEvents);
  button->setGeometry({10, 10, 100, 30});
  bar->setGeometry({10, 100, 200, 20});
  showWindow();
  ASSERT_TRUE(button->setFocus());

  pressKey(VK_NUMPAD1);
  ASSERT_TRUE(waitUntil([&] { return windowEvents.keys.size() == 1; }));
  EXPECT_EQ(windowEvents.keys[0], (std::pair{97, 0}));

  // The window's handler moves the focus away before the button sees the release of its
  // space bar, which then clicks nothing.
  windowEvents.onKey = [&] { bar->setFocus(); };
  pressKey(VK_SPACE);
  ASSERT_TRUE(waitUntil([&] { return windowEvents.keys.size() == 2; }));
  settle(200);
  EXPECT_TRUE(bar->hasFocus());
  EXPECT_EQ(buttonEvents.clicks, 0);
}

TEST_F(WindowPeerTest, ClosingTheWindowEndsTheMessageLoop) {
  openWindow({200, 100});
  showWindow();
  PostMessageW(windowHandle(), WM_CLOSE, 0, 0);
  // Should the loop not end by itself, it ends with another status after a while.
  constexpr UINT kPatienceMs = 5000;
  const UINT_PTR patience =
      SetTimer(nullptr, 0, kPatienceMs, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(1); });
  EXPECT_EQ(win32::runMessageLoop(), 0);
  KillTimer(nullptr, patience);
  EXPECT_FALSE(window->shown());
}

}  // namespace
}  // namespace win32_peer_test
