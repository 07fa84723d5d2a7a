#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/ui/message_loop.h"
#include "resources/resources.h"
#include "tests/windows/win32_peer_fixture.h"

namespace win32_peer_test {
namespace {

using WindowPeerTest = Win32PeerTest;

graphics::Size outerSize(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

std::string sizesOf(const std::vector<graphics::Size>& sizes) {
  std::string text = "reported:";
  for (const graphics::Size& size : sizes) {
    text += " " + std::to_string(size.width) + "x" + std::to_string(size.height);
  }
  return text;
}

TEST_F(WindowPeerTest, OwnResizesAreNotReportedButOthersAreEachOnce) {
  openWindow({300, 200});
  showWindow();
  settle(200);
  window->clientSize();
  windowEvents.resizes.clear();

  for (int round = 0; round < 5; ++round) {
    window->resizeClient({400 + round, 250});
    window->resizeClient({450 + round, 280 + round});
    EXPECT_EQ(window->clientSize(), (graphics::Size{450 + round, 280 + round}));
  }
  settle(300);
  EXPECT_TRUE(windowEvents.resizes.empty()) << sizesOf(windowEvents.resizes);

  // What the window manager or the user's drag does comes as a plain SetWindowPos.
  const forms::Margins frame = window->frameMargins();
  for (int twice = 0; twice < 2; ++twice) {
    SetWindowPos(windowHandle(), nullptr, 0, 0, 520 + frame.left + frame.right,
                 330 + frame.top + frame.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  settle(300);
  ASSERT_EQ(windowEvents.resizes.size(), 1U) << sizesOf(windowEvents.resizes);
  EXPECT_EQ(windowEvents.resizes.front(), (graphics::Size{520, 330}));
}

TEST_F(WindowPeerTest, KnowsItsFrameBeforeItShowsAndOpensAtTheSizeAskedWithCaptionAndIcon) {
  window = toolkit.createWindow(windowEvents);
  window->setCaption("ピア試験");
  const forms::Margins frame = window->frameMargins();
  EXPECT_GT(frame.top, frame.bottom);  // the caption
  window->resizeClient({285, 245});
  showWindow();
  settle(300);

  EXPECT_EQ(window->clientSize(), (graphics::Size{285, 245}));
  EXPECT_EQ(outerSize(windowHandle()),
            (graphics::Size{285 + frame.left + frame.right, 245 + frame.top + frame.bottom}));
  EXPECT_TRUE(windowEvents.resizes.empty());
  wchar_t caption[16] = {};
  GetWindowTextW(windowHandle(), caption, 16);
  EXPECT_EQ(std::wstring(caption), L"ピア試験");
  window->setIcon(resources::cameraIcon());
  EXPECT_NE(SendMessageW(windowHandle(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageW(windowHandle(), WM_GETICON, ICON_SMALL, 0), 0);

  // Asked smaller than Windows lets a window be, it is the smallest it says it is.
  window->resizeClient({1, 1});
  settle(300);
  EXPECT_EQ(window->clientSize(), window->smallestClientSize());
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

TEST_F(WindowPeerTest, SeesEveryKeyReleaseFirstAsVirtualKeyCodeWhateverHasTheFocus) {
  openWindow({300, 200});
  Recorder buttonEvents;
  const auto button = toolkit.createButton(*window, buttonEvents);
  const auto bar = toolkit.createScrollBar(*window, buttonEvents);
  button->setGeometry({10, 10, 100, 30});
  bar->setGeometry({10, 100, 200, 20});
  showWindow();
  ASSERT_TRUE(button->setFocus());

  pressKey('1');
  holdKey(VK_SHIFT, true);
  pressKey('1');  // "!" on most layouts, still the key "1"
  holdKey(VK_SHIFT, false);
  pressKey(VK_NUMPAD1);
  ASSERT_TRUE(waitUntil([&] { return windowEvents.keys.size() >= 4; }));
  settle(200);
  ASSERT_EQ(windowEvents.keys.size(), 4U);  // "1", "1" with Shift, Shift, keypad "1"
  EXPECT_EQ(windowEvents.keys[0], (std::pair{49, 0}));
  EXPECT_EQ(windowEvents.keys[1], (std::pair{49, 1}));
  EXPECT_EQ(windowEvents.keys[3], (std::pair{97, 0}));
  EXPECT_TRUE(button->hasFocus());

  // First: the window's handler moves the focus away before the button sees the release of
  // its space bar, which then clicks nothing.
  windowEvents.onKey = [&] { bar->setFocus(); };
  pressKey(VK_SPACE);
  ASSERT_TRUE(waitUntil([&] { return windowEvents.keys.size() == 5; }));
  settle(200);
  EXPECT_TRUE(bar->hasFocus());
  EXPECT_EQ(buttonEvents.clicks, 0);
}

TEST_F(WindowPeerTest, OpensWithTheFocusOnTheFirstControlOfTheTabOrderAndTabsAlongIt) {
  openWindow({300, 200});
  Recorder events;
  const auto first = toolkit.createButton(*window, events);
  const auto hidden = toolkit.createButton(*window, events);
  const auto second = toolkit.createButton(*window, events);
  const auto third = toolkit.createScrollBar(*window, events);
  first->setGeometry({10, 10, 80, 30});
  hidden->setVisible(false);
  second->setGeometry({100, 10, 80, 30});
  third->setGeometry({10, 100, 200, 20});
  window->setTabOrder({third.get(), hidden.get(), second.get(), first.get()});
  showWindow();

  EXPECT_TRUE(waitUntil([&] { return third->hasFocus(); }));
  pressKey(VK_TAB);
  EXPECT_TRUE(waitUntil([&] { return second->hasFocus(); }));
  pressKey(VK_TAB);
  EXPECT_TRUE(waitUntil([&] { return first->hasFocus(); }));
  pressKey(VK_TAB);
  EXPECT_TRUE(waitUntil([&] { return third->hasFocus(); }));
  holdKey(VK_SHIFT, true);
  pressKey(VK_TAB);
  holdKey(VK_SHIFT, false);
  EXPECT_TRUE(waitUntil([&] { return first->hasFocus(); }));
}

TEST_F(WindowPeerTest, AControlHiddenAndShownAgainAtOnceKeepsTheFocus) {
  openWindow({300, 200});
  Recorder events;
  const auto bar = toolkit.createScrollBar(*window, events);
  const auto button = toolkit.createButton(*window, events);
  bar->setGeometry({10, 100, 200, 20});
  button->setGeometry({10, 10, 80, 30});
  showWindow();
  ASSERT_TRUE(bar->setFocus());

  bar->setVisible(false);
  bar->setVisible(true);
  EXPECT_TRUE(bar->hasFocus());

  // Unless the focus went somewhere on purpose meanwhile.
  bar->setVisible(false);
  button->setFocus();
  bar->setVisible(true);
  EXPECT_TRUE(button->hasFocus());
}

TEST_F(WindowPeerTest, APointerMoveIsReportedByTheTopmostControlUnderItOnly) {
  openWindow({300, 200});
  Recorder buttonEvents;
  Recorder pictureEvents;
  Recorder textEvents;
  Recorder labelEvents;
  // Made later, the picture lies below the button; the text box lies inside the picture.
  const auto button = toolkit.createButton(*window, buttonEvents);
  const auto picture = toolkit.createPicture(*window, pictureEvents);
  const auto text = toolkit.createTextBox(*picture, textEvents);
  const auto label = toolkit.createLabel(*window, labelEvents);
  button->setGeometry({10, 10, 100, 30});
  picture->setGeometry({0, 0, 300, 150});
  text->setGeometry({150, 50, 100, 80});
  text->setMultiLine(true, true);
  label->setGeometry({10, 160, 100, 30});
  showWindow();

  const std::vector<Recorder*> all = {&windowEvents, &buttonEvents, &pictureEvents, &textEvents,
                                      &labelEvents};
  const auto moveAndWait = [&](POINT position, const Recorder& reporter) {
    for (Recorder* events : all) events->moves.clear();
    movePointerTo(windowHandle(), position);
    ASSERT_TRUE(waitUntil([&] { return !reporter.moves.empty(); }));
    settle(100);
    for (const Recorder* events : all) {
      EXPECT_TRUE(events == &reporter || events->moves.empty());
    }
  };

  ASSERT_NO_FATAL_FAILURE(moveAndWait({60, 25}, buttonEvents));
  EXPECT_EQ(buttonEvents.moves.back().x, 50.0F);
  EXPECT_EQ(buttonEvents.moves.back().y, 15.0F);
  ASSERT_NO_FATAL_FAILURE(moveAndWait({40, 100}, pictureEvents));
  ASSERT_NO_FATAL_FAILURE(moveAndWait({200, 100}, textEvents));
  EXPECT_EQ(textEvents.moves.back().x, 50.0F);  // from the box's outer corner
  EXPECT_EQ(textEvents.moves.back().y, 50.0F);
  ASSERT_NO_FATAL_FAILURE(moveAndWait({245, 100}, textEvents));  // its scroll bar
  ASSERT_NO_FATAL_FAILURE(moveAndWait({20, 170}, labelEvents));
  ASSERT_NO_FATAL_FAILURE(moveAndWait({150, 180}, windowEvents));
  EXPECT_EQ(windowEvents.moves.back().x, 150.0F);
  EXPECT_EQ(windowEvents.moves.back().button, 0);
}

TEST_F(WindowPeerTest, AControlMadeLaterLiesBelowTheEarlierOnes) {
  openWindow({300, 200});
  Recorder events;
  const auto button = toolkit.createButton(*window, events);
  const auto label = toolkit.createLabel(*window, events);
  button->setGeometry({50, 10, 100, 30});
  label->setGeometry({10, 10, 100, 30});
  showWindow();

  EXPECT_EQ(ChildWindowFromPoint(windowHandle(), {80, 20}), handleOf(*button));
  EXPECT_EQ(ChildWindowFromPoint(windowHandle(), {20, 20}), handleOf(*label));
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
