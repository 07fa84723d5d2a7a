#pragma once

#include "platform/desktop/screen_copy.h"

namespace platform {

// The whole screen's device context for one use: taken when made, released when gone, also when
// a copy from it throws.
class ScreenDc {
 public:
  explicit ScreenDc(ScreenCopy& gdi) : gdi_(gdi), dc_(gdi.GetDC(0)) {}
  ~ScreenDc() { gdi_.ReleaseDC(0, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;

  Hdc hDC() const { return dc_; }
  // Reads `area` of the screen now; copies from hDC() get it as it was.
  void hold(const graphics::Rect& area) { gdi_.holdScreenArea(dc_, area); }

 private:
  ScreenCopy& gdi_;
  Hdc dc_;
};

}  // namespace platform
