#include "platform/x11/drawable_rows.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstddef>

namespace x11 {
namespace {

constexpr int kBandRows = 64;

}  // namespace

bool readRows(Display* display, unsigned long drawable, const graphics::Rect& area,
              const std::function<void(int y, const graphics::Pixel* row)>& takeRow) {
  for (int top = area.top; top < area.bottom(); top += kBandRows) {
    const int rows = std::min(kBandRows, area.bottom() - top);
    XImage* band = XGetImage(display, drawable, area.left, top, static_cast<unsigned>(area.width),
                             static_cast<unsigned>(rows), AllPlanes, ZPixmap);
    if (band == nullptr) return false;
    for (int y = 0; y < rows; ++y) {
      auto* row = reinterpret_cast<graphics::Pixel*>(band->data + static_cast<std::ptrdiff_t>(y) *
                                                                      band->bytes_per_line);
      // A pixmap of depth 24 may hand back anything in the byte it does not keep.
      for (int x = 0; x < area.width; ++x) row[x] &= 0xFFFFFFU;
      takeRow(top + y, row);
    }
    XDestroyImage(band);
  }
  return true;
}

}  // namespace x11
