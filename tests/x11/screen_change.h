#pragma once

#include <utility>
#include <vector>

#include "platform/graphics/bitmap.h"
#include "platform/x11/display_type.h"

class TestDisplay;
struct _XRRCrtcInfo;

// Changes the screen as xrandr does: its size, turning off the monitors that no longer fit, or
// its monitors alone. Puts the size and the monitors back when it goes.
class ScreenChange {
 public:
  explicit ScreenChange(const TestDisplay& display);
  ~ScreenChange();
  ScreenChange(const ScreenChange&) = delete;
  ScreenChange& operator=(const ScreenChange&) = delete;

  void resizeTo(int width, int height);
  // The screen keeps its size and what it shows, with no output showing it (as an X server
  // started for a remote session may have it).
  void turnMonitorsOff();

 private:
  // Turns off the monitors not within `width` x `height`.
  void turnOffBeyond(int width, int height);

  _XDisplay* display_;
  graphics::Size original_;
  graphics::Size millimetres_;
  std::vector<std::pair<unsigned long, _XRRCrtcInfo*>> crtcs_;
};
