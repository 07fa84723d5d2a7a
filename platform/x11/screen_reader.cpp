#include "platform/x11/screen_reader.h"

#include <X11/Xlib.h>

#include <bit>

#include "platform/x11/plain_capture.h"
#include "platform/x11/screen_capture.h"
#include "platform/x11/shared_memory_capture.h"

namespace x11 {
namespace {

int bitsPerPixelAtDepth(Display* display, int depth) {
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  int bits = 0;
  for (int i = 0; i < count; ++i) {
    if (formats[i].depth == depth) bits = formats[i].bits_per_pixel;
  }
  if (formats != nullptr) XFree(formats);
  return bits;
}

// The one layout we can hand out without converting every pixel.
bool hasRgb32Pixels(Display* display) {
  const int screen = DefaultScreen(display);
  const Visual* visual = DefaultVisual(display, screen);
  const int depth = DefaultDepth(display, screen);
  const bool nativeByteOrder =
      (ImageByteOrder(display) == LSBFirst) == (std::endian::native == std::endian::little);
  return visual->c_class == TrueColor && visual->red_mask == 0xFF0000 &&
         visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF &&
         (depth == 24 || depth == 32) && bitsPerPixelAtDepth(display, depth) == 32 &&
         nativeByteOrder;
}

// At depth 32 the top byte is alpha, which the rest of the program takes for 0.
void clearTopBytes(const CapturedPixels& captured) {
  for (int y = 0; y < captured.height; ++y) {
    graphics::Pixel* row = captured.pixels + y * captured.stride;
    for (int x = 0; x < captured.width; ++x) row[x] &= 0xFFFFFFU;
  }
}

}  // namespace

ScreenReader::ScreenReader(Connection& connection, Transfer transfer) {
  Display* display = connection.display();
  const int screen = DefaultScreen(display);
  bounds_ = {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
  if (!hasRgb32Pixels(display)) return;
  clearsTopByte_ = DefaultDepth(display, screen) == 32;
  if (transfer == Transfer::SharedMemoryWhenOffered) capture_ = openSharedMemoryCapture(connection);
  usesSharedMemory_ = capture_ != nullptr;
  if (capture_ == nullptr) capture_ = openPlainCapture(connection);
}

ScreenReader::~ScreenReader() = default;

graphics::PixelView ScreenReader::read(const graphics::Rect& area) {
  if (capture_ == nullptr || area.empty() || graphics::intersect(area, bounds_) != area) return {};
  const CapturedPixels captured = capture_->read(area);
  if (captured.pixels == nullptr) return {};
  if (clearsTopByte_) clearTopBytes(captured);
  return {captured.pixels, captured.stride, captured.width, captured.height};
}

}  // namespace x11
