#pragma once

#include <cstddef>
#include <string>

#include "platform/forms/runtime_error.h"
#include "platform/graphics/bitmap.h"

namespace x11 {

// Pixels just read from the server, in its own format, in memory the capture owns and lets
// the reader touch up.
struct CapturedImage {
  char* data = nullptr;
  std::ptrdiff_t bytesPerLine = 0;
  int width = 0;
  int height = 0;
};

// One way of fetching a rectangle of pixels from the server: of the root window, or of a pixmap
// of ours at the screen's depth.
class ScreenCapture {
 public:
  virtual ~ScreenCapture() = default;
  // `area` lies inside `drawable`. The pixels stay valid until the next read. Throws
  // forms::RuntimeError when the server refuses the read or memory for it cannot be had.
  virtual CapturedImage read(unsigned long drawable, const graphics::Rect& area) = 0;
};

// "(x, y) w×h", for messages. Appended piece by piece: GCC 12 at -O3 warns falsely about a
// string literal + std::string (-Wrestrict, its bug 105651).
inline std::string describeArea(const graphics::Rect& area) {
  std::string text = "(";
  text.append(std::to_string(area.left)).append(", ").append(std::to_string(area.top));
  text.append(") ").append(std::to_string(area.width)).append("×");
  return text.append(std::to_string(area.height));
}

// The error of a read that the server refused.
inline forms::RuntimeError readRefused(const graphics::Rect& area) {
  return forms::RuntimeError::screenUnreadable("X サーバーが画面 " + describeArea(area) +
                                               " の読み取りを断りました。");
}

}  // namespace x11
