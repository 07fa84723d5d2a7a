#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/graphics/bitmap.h"
#include "platform/x11/display_type.h"
#include "platform/x11/screen_capture.h"

namespace x11 {

// How the screen's pixels come from the server, and how they become 0x00RRGGBB: any TrueColor
// screen can be read, each channel value giving the colour the server's own colormap says it
// shows (on a 16-bit screen, red 3 of 31 shows as 24 of 255 on Xvfb).
class ScreenFormat {
 public:
  enum class Layout {
    Rgb32,           // 8-bit red, green and blue in 32-bit pixels: used as they come
    Rgb32WithAlpha,  // the same at depth 32, whose top byte the program takes for 0
    Converted,       // any other TrueColor (15, 16, 30 bits, other channel orders)
    Unreadable,      // colour indices (PseudoColor and the like), or an unknown pixel layout
  };

  // Asks the server once: the default visual, its pixel size and, to convert, its colormap.
  explicit ScreenFormat(_XDisplay* display);

  Layout layout() const { return layout_; }
  // Why the screen cannot be read, in the user's words; empty if it can.
  const std::string& unreadableReason() const { return unreadableReason_; }

  // Converted layout only: writes `image` as 0x00RRGGBB rows `stride` pixels apart.
  void convert(const CapturedImage& image, graphics::Pixel* out, std::ptrdiff_t stride) const;

 private:
  // One colour channel: where it sits in a pixel, and the 0x00RRGGBB part each value shows.
  struct Channel {
    int shift = 0;
    unsigned long values = 0;  // the mask, shifted down
    std::vector<graphics::Pixel> shown;
  };
  template <typename ServerPixel>
  void convertRows(const CapturedImage& image, graphics::Pixel* out, std::ptrdiff_t stride) const;
  void readColormap(_XDisplay* display);

  Layout layout_ = Layout::Unreadable;
  std::string unreadableReason_;
  int bitsPerPixel_ = 0;
  std::array<Channel, 3> channels_;  // red, green, blue
};

}  // namespace x11
