#pragma once

#include <memory>

namespace bench {

// Pixels just read from the screen, 0x00RRGGBB, valid until the next grab.
struct Grab {
  const unsigned char* pixels = nullptr;  // null: nothing of the area is on the screen
  int width = 0;
  int height = 0;
  int bytesPerLine = 0;
};

// The root window's pixels through one shared-memory segment that holds the whole screen, on a
// connection of its own. Kept apart from Qt's headers: Xlib's macros clash with them.
class ScreenGrabber {
 public:
  // Ends the program with a message when there is no X display with MIT-SHM.
  ScreenGrabber();
  ~ScreenGrabber();
  ScreenGrabber(const ScreenGrabber&) = delete;
  ScreenGrabber& operator=(const ScreenGrabber&) = delete;

  // The on-screen part of `width` × `height` at the pointer.
  Grab grabAtPointer(int width, int height);

 private:
  struct Connection;
  std::unique_ptr<Connection> connection_;
};

}  // namespace bench
