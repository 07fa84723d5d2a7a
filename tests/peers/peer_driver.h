#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/peers.h"

// What differs between the toolkits whose peers the behaviour tests play with: their event loop,
// how the user is played, and how their native controls are read back. Each toolkit's test
// program has one (Qt on a virtual X server, Win32 under Wine).
namespace peer_test {

// Keys as the program knows them: Windows' virtual-key codes.
namespace key {
inline constexpr int kTab = 0x09;
inline constexpr int kShift = 0x10;
inline constexpr int kControl = 0x11;
inline constexpr int kSpace = 0x20;
inline constexpr int kPageUp = 0x21;
inline constexpr int kPageDown = 0x22;
inline constexpr int kEnd = 0x23;
inline constexpr int kHome = 0x24;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
}  // namespace key

// Pixels within a control or a window's client area.
struct Point {
  int x = 0;
  int y = 0;
};

// A pointer from a cursor file: where it points within its picture, and the picture's size.
struct PointerShape {
  Point hotSpot;
  graphics::Size size;
};

// A message box on the screen: its title and all it says.
struct ShownMessage {
  std::string title;
  std::string text;
};

// How long a test waits for anything the peers do in response to it.
inline constexpr std::chrono::milliseconds kPatience{10000};

class PeerDriver {
 public:
  virtual ~PeerDriver() = default;

  virtual forms::Toolkit& toolkit() = 0;

  // Delivers the toolkit's events until `condition` holds, at most `timeout`; its last value.
  virtual bool waitUntil(const std::function<bool()>& condition,
                         std::chrono::milliseconds timeout = kPatience) = 0;
  // Delivers what has come in so far, or soon, without waiting for anything in particular.
  virtual void letEventsIn() = 0;
  // Returns once all that was asked of the desktop so far is done and its answers delivered: a
  // check that something did not happen follows this.
  virtual void settle() = 0;
  // Shows `window` and waits until it has the keyboard; false if it never gets it.
  virtual bool showActive(forms::WindowPeer& window) = 0;

  // The user: keys by their virtual-key codes (letters and digits by their characters), the
  // pointer in a window's client pixels or a control's, the left button, the wheel, the frame
  // dragged.
  virtual void pressKey(int virtualKey) = 0;
  virtual void holdKey(int virtualKey, bool down) = 0;
  virtual void movePointerTo(forms::WindowPeer& window, Point at) = 0;
  virtual void movePointerTo(forms::WidgetPeer& control, Point at) = 0;
  virtual void click() = 0;
  // The wheel turned by `notches` (away from the user when positive) with the pointer over
  // `control` at `at`.
  virtual void turnWheel(forms::WidgetPeer& control, Point at, int notches) = 0;
  virtual void resizeAsUser(forms::WindowPeer& window, graphics::Size client) = 0;

  // What the screen shows.
  virtual graphics::Pixel pixelAt(forms::WidgetPeer& control, Point at) = 0;
  virtual std::vector<std::string> linesShown(forms::TextBoxPeer& text) = 0;
  virtual bool showsVerticalScrollBar(forms::TextBoxPeer& text) = 0;
  // Whether `control` is the topmost control of `window` at `at`.
  virtual bool topmostAt(forms::WindowPeer& window, Point at, forms::WidgetPeer& control) = 0;
  // The pointer shown over `control` at `at`; none when it is the arrow.
  virtual std::optional<PointerShape> pointerShown(forms::WidgetPeer& control, Point at) = 0;
  // The frame the window manager put around the shown window; none until it has.
  virtual std::optional<forms::Margins> shownFrame(forms::WindowPeer& window) = 0;
  virtual graphics::Size shownClientSize(forms::WindowPeer& window) = 0;
  virtual std::string shownCaption(forms::WindowPeer& window) = 0;
  virtual bool showsIcon(forms::WindowPeer& window) = 0;
  // Whether the window still takes the user's input (no modal box holds it).
  virtual bool takesInput(forms::WindowPeer& window) = 0;
  virtual std::vector<ShownMessage> shownMessages() = 0;
  virtual void closeMessages() = 0;
  // The short note that showStatus puts up, while it is up.
  virtual std::optional<std::string> shownStatus() = 0;
};

// The driver of the toolkit that this test program is built for.
std::unique_ptr<PeerDriver> makePeerDriver();

}  // namespace peer_test
