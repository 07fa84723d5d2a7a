#pragma once

#include <cstdint>

#include "platform/graphics/bitmap.h"
#include "platform/x11/display_type.h"

struct _XGC;  // NOLINT(bugprone-reserved-identifier): Xlib's graphics context

namespace x11 {

// Sends `area` of a picture in memory, whose pixel (0, 0) is at `pixels` and whose rows are
// `stride` pixels apart, to the same place in `drawable` (of depth `depth`: 24 or 32), through
// `gc`. The bytes stay the caller's.
void putPixels(_XDisplay* display, unsigned long drawable, _XGC* gc, int depth,
               const std::uint32_t* pixels, std::ptrdiff_t stride, const graphics::Rect& area);

// A pixmap on the X server and the RENDER picture over it, made and freed together. Empty
// (no pixmap) when default-made or moved from.
class ServerPicture {
 public:
  enum class Format {
    Rgb24,   // depth 24: 0x00RRGGBB
    Argb32,  // depth 32: premultiplied 0xAARRGGBB
  };

  ServerPicture() = default;
  // `size` must not be empty. `repeat`: the picture tiles beyond its edges.
  ServerPicture(_XDisplay* display, graphics::Size size, Format format, bool repeat = false);
  ~ServerPicture();
  ServerPicture(ServerPicture&& other) noexcept;
  ServerPicture& operator=(ServerPicture&& other) noexcept;
  ServerPicture(const ServerPicture&) = delete;
  ServerPicture& operator=(const ServerPicture&) = delete;

  unsigned long pixmap() const { return pixmap_; }
  unsigned long picture() const { return picture_; }
  graphics::Size size() const { return size_; }

  // Sends `area` of a picture in memory, whose pixel (0, 0) is at `pixels` and whose rows are
  // `stride` pixels apart, to the same place in the pixmap.
  void put(const std::uint32_t* pixels, std::ptrdiff_t stride, const graphics::Rect& area);

 private:
  void free();

  _XDisplay* display_ = nullptr;
  graphics::Size size_;
  int depth_ = 0;
  unsigned long pixmap_ = 0;
  unsigned long picture_ = 0;
};

// Makes `picture` at least `size`, keeping it if it is: a picture of depth 24 with the nearest
// filter, for screen pixels held to stretch from, that grows and never shrinks. The smaller goes
// before the larger is made, so the server never holds both.
void growHeldPicture(_XDisplay* display, ServerPicture& picture, graphics::Size size);

}  // namespace x11
