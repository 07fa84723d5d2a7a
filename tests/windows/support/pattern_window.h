#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/graphics/bitmap.h"

namespace wine_test {

// The pattern window program (programs/pattern_window.cpp) showing its noise at `place`, on
// top of everything, for as long as this lives. Under Wine a screen read sees only Wine's
// windows, so this is what a test of the screen read can know the pixels of.
class PatternWindow {
 public:
  // Returns once the pattern is on the screen; shown() says whether it came.
  PatternWindow(const graphics::Rect& place, std::uint32_t seed);
  ~PatternWindow();
  PatternWindow(const PatternWindow&) = delete;
  PatternWindow& operator=(const PatternWindow&) = delete;

  bool shown() const { return shown_; }
  const graphics::Rect& place() const { return place_; }
  // What the screen shows at screen point (x, y) inside place().
  graphics::Pixel at(int x, int y) const;
  // The whole pattern, as place() shows it.
  graphics::Bitmap picture() const;

 private:
  graphics::Rect place_;
  std::uint32_t seed_;
  PROCESS_INFORMATION process_{};
  bool shown_ = false;
};

}  // namespace wine_test
