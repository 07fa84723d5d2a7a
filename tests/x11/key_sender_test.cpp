#include "platform/x11/key_sender.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/runtime_error.h"
#include "test_display.h"
// Last: Xlib's macros (None, Status, ...) clash with gtest's and Qt's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

constexpr unsigned int kModifierMasks = ShiftMask | ControlMask | Mod1Mask;

struct KeyEvent {
  bool pressed;
  KeySym key;            // the key's first-level keysym
  unsigned int holding;  // Shift, Control and Alt held at the time
  bool operator==(const KeyEvent&) const = default;
};

std::ostream& operator<<(std::ostream& out, const KeyEvent& event) {
  return out << (event.pressed ? "press " : "release ") << XKeysymToString(event.key) << " holding "
             << event.holding;
}

KeyEvent press(KeySym key, unsigned int holding = 0) { return {true, key, holding}; }
KeyEvent release(KeySym key, unsigned int holding = 0) { return {false, key, holding}; }

// A small window of the test's own that has the keyboard focus and notes the keys it gets.
class KeysArriving : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(display_.get(), nullptr) << "these tests need DISPLAY to name a running X server";
    window_ = display_.mapUnmanagedWindow(40, 40, 200, 100);
    ASSERT_TRUE(display_.takeFocus(window_));
  }
  void TearDown() override {
    if (display_.get() == nullptr) return;
    XDestroyWindow(display_.get(), window_);
    display_.sync();
  }

  // Everything the window got so far. The sender has synced, so it is all queued for us.
  std::vector<XKeyEvent> received() {
    display_.sync();
    std::vector<XKeyEvent> events;
    XEvent event;
    while (XCheckWindowEvent(display_.get(), window_, KeyPressMask | KeyReleaseMask, &event)) {
      events.push_back(event.xkey);
    }
    return events;
  }

  std::vector<KeyEvent> receivedKeys() {
    std::vector<KeyEvent> keys;
    for (XKeyEvent& event : received()) {
      keys.push_back(
          {event.type == KeyPress, XLookupKeysym(&event, 0), event.state & kModifierMasks});
    }
    return keys;
  }

  std::string receivedText() {
    std::string text;
    for (XKeyEvent& event : received()) {
      if (event.type != KeyPress) continue;
      char buffer[8];
      const int length = XLookupString(&event, buffer, sizeof buffer, nullptr, nullptr);
      text.append(buffer, static_cast<std::size_t>(length));
    }
    return text;
  }

  void send(const std::string& keys) { sender_.send(sender_.prepare(keys)); }

  TestDisplay display_;
  Window window_ = 0;
  x11::Connection connection_;
  x11::KeySender sender_{connection_};
};

TEST_F(KeysArriving, ControlIsHeldAroundTheKeyAndReleasedAfterIt) {
  send("^v");
  EXPECT_EQ(receivedKeys(),
            (std::vector{press(XK_Control_L), press(XK_v, ControlMask), release(XK_v, ControlMask),
                         release(XK_Control_L, ControlMask)}));
}

TEST_F(KeysArriving, ModifiersGoDownInOrderAndUpInReverse) {
  send("%+{F2}");
  EXPECT_EQ(receivedKeys(),
            (std::vector{press(XK_Alt_L), press(XK_Shift_L, Mod1Mask),
                         press(XK_F2, Mod1Mask | ShiftMask), release(XK_F2, Mod1Mask | ShiftMask),
                         release(XK_Shift_L, Mod1Mask | ShiftMask), release(XK_Alt_L, Mod1Mask)}));
}

TEST_F(KeysArriving, CharactersComeOutAsTyped) {
  send("aB1!{TAB}{+}{% 2}~x");
  EXPECT_EQ(receivedText(), "aB1!\t+%%\rx");
}

TEST_F(KeysArriving, ShiftOverAGroup) {
  send("+(ab)c");
  EXPECT_EQ(receivedText(), "ABc");
}

TEST_F(KeysArriving, AMalformedStringSendsNothing) {
  for (const char* keys : {"a{FOO}", "ab(", "x^"}) {
    try {
      send(keys);
      ADD_FAILURE() << "no error for " << keys;
    } catch (const forms::RuntimeError& error) {
      EXPECT_EQ(error.number(), 5) << keys;
    }
  }
  EXPECT_EQ(receivedKeys(), std::vector<KeyEvent>{});
}

TEST_F(KeysArriving, AKeyThisKeyboardLacksSendsNothing) {
  try {
    send("a日");
    ADD_FAILURE() << "no error";
  } catch (const forms::RuntimeError& error) {
    EXPECT_EQ(error.number(), 5);
    EXPECT_NE(error.description().find("「日」"), std::string::npos) << error.description();
  }
  EXPECT_EQ(receivedKeys(), std::vector<KeyEvent>{});
}

}  // namespace
