#include "platform/x11/stretch_check.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrender.h>

#include <cstdint>
#include <vector>

#include "platform/x11/error_trap.h"
#include "platform/x11/server_picture.h"

namespace x11 {
namespace {

// A ramp pixel names its own position along the ramp, with the top bit set so that no ramp
// pixel is black, the colour of what lies beyond the ramp.
constexpr graphics::Pixel kOnRamp = 0x800000;
constexpr int kLongestRamp = 0x7FFFFF;

// One axis of the stretch: the ramp runs along it, one pixel thick across it.
struct Axis {
  bool across;  // along x; else along y
  int length;
  StretchRatio ratio;
  graphics::Rect rect() const {
    return across ? graphics::Rect{0, 0, length, 1} : graphics::Rect{0, 0, 1, length};
  }
};

// Whether destination pixel i along `axis` takes ramp pixel i * source / dest, or black beyond
// the ramp, when the ramp is stretched through the transform of both ratios over `extent`.
bool axisExact(Display* display, const Axis& axis, StretchRatio x, StretchRatio y,
               graphics::Size extent) {
  const graphics::Rect rect = axis.rect();
  const graphics::Size size{rect.width, rect.height};
  std::vector<graphics::Pixel> ramp(static_cast<std::size_t>(axis.length));
  for (int i = 0; i < axis.length; ++i) {
    ramp[static_cast<std::size_t>(i)] = kOnRamp | static_cast<graphics::Pixel>(i);
  }
  ServerPicture source(display, size, ServerPicture::Format::Rgb24);
  source.put(ramp.data(), rect.width, rect);
  XRenderSetPictureFilter(display, source.picture(), FilterNearest, nullptr, 0);
  const ServerPicture stretched(display, size, ServerPicture::Format::Rgb24);
  compositeStretch(display, source.picture(), rect, {x, y, extent, 0, 0}, stretched.picture(),
                   rect);

  XImage* image = XGetImage(display, stretched.pixmap(), 0, 0, static_cast<unsigned>(rect.width),
                            static_cast<unsigned>(rect.height), AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  bool exact = true;
  for (int i = 0; i < axis.length && exact; ++i) {
    const std::int64_t taken = i * axis.ratio.source / axis.ratio.dest;
    const graphics::Pixel expected =
        taken < axis.length ? (kOnRamp | static_cast<graphics::Pixel>(taken)) : graphics::kBlack;
    // XGetPixel leaves out the byte that depth 24 does not keep.
    exact = XGetPixel(image, axis.across ? i : 0, axis.across ? 0 : i) == expected;
  }
  XDestroyImage(image);
  return exact;
}

}  // namespace

bool serverStretchesExactly(const Connection& connection, StretchRatio x, StretchRatio y,
                            graphics::Size extent) {
  if (extent.width > kLongestRamp || extent.height > kLongestRamp) return false;
  Display* display = connection.display();
  ErrorTrap trap(connection);
  // The transform scales each axis on its own (stretchMatrix() has no rotation or shear): the
  // source column of a pixel never depends on its row, nor its source row on its column. So a
  // ramp one row high proves every column, and one a column wide every row: the width plus the
  // height of the screen to read back, not their product.
  const bool exact = axisExact(display, {true, extent.width, x}, x, y, extent) &&
                     axisExact(display, {false, extent.height, y}, x, y, extent);
  return !trap.failed() && exact;
}

}  // namespace x11
