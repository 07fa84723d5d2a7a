// The program in a Wayland session, under XWayland, where it sees nothing of the screen: it
// says so at start, on stderr and in a message box beside its window.
#include <set>
#include <string>

#include "program_under_test.h"
#include "test_display.h"
#include "user_screen.h"
#include "wait_until.h"
// Last: Xlib's macros would break Qt's and gtest's headers.
#include <X11/Xlib.h>

namespace {

// The titles of the program's windows that are shown, wherever the compositor put them.
void collectShownTitles(const UserScreen& screen, Display* display, Window window, long pid,
                        std::set<std::string>& titles) {
  if (screen.pidOf(window) == pid && screen.viewable(window)) titles.insert(screen.titleOf(window));
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return;
  for (unsigned i = 0; i < count; ++i)
    collectShownTitles(screen, display, children[i], pid, titles);
  if (children != nullptr) XFree(children);
}

TEST(UnderXWayland, SaysAtStartWhatFailsThereAndHowToStartAnX11Session) {
  const TestDisplay display;
  ASSERT_NE(display.get(), nullptr) << "DISPLAY must name a running XWayland";
  const UserScreen screen(display);
  ProgramUnderTest program(screen);
  std::string errors;
  EXPECT_TRUE(waitUntil([&] {
    errors = program.errorOutput();
    return errors.find("「Xorg」または「X11」") != std::string::npos;
  })) << errors;
  EXPECT_NE(errors.find("キャプチャーとビデオ"), std::string::npos) << errors;
  std::set<std::string> titles;
  EXPECT_TRUE(waitUntil([&] {
    titles.clear();
    collectShownTitles(screen, display.get(), display.root(), program.pid(), titles);
    return titles.size() == 2;
  })) << "the window and the message box are not both shown";
  EXPECT_TRUE(titles.contains(ProgramUnderTest::kTitle));
}

}  // namespace
