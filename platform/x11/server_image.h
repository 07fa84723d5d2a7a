#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/graphics/bitmap.h"
#include "platform/x11/connection.h"

namespace x11 {

// A picture with alpha kept on the X server (a control's picture file, drawn over its
// background), sent there once.
class ServerImage {
 public:
  // `argb`: premultiplied 0xAARRGGBB rows, `stride` pixels apart.
  ServerImage(const Connection& connection, const std::uint32_t* argb, graphics::Size size,
              std::ptrdiff_t stride);
  ~ServerImage();
  ServerImage(const ServerImage&) = delete;
  ServerImage& operator=(const ServerImage&) = delete;

  unsigned long picture() const { return picture_; }
  graphics::Size size() const { return size_; }

 private:
  _XDisplay* display_;
  graphics::Size size_;
  unsigned long pixmap_;
  unsigned long picture_;
};

}  // namespace x11
