#pragma once

#include <functional>

#include "platform/graphics/bitmap.h"
#include "platform/x11/display_type.h"

namespace x11 {

// Reads `area` of a drawable of depth 24 (a pixmap of ours) from the server, a band of rows at
// a time so that no second full-size picture is ever held, and hands over each row as
// 0x00RRGGBB pixels. False when the server refuses the read.
bool readRows(_XDisplay* display, unsigned long drawable, const graphics::Rect& area,
              const std::function<void(int y, const graphics::Pixel* row)>& takeRow);

}  // namespace x11
