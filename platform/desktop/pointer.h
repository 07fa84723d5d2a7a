#pragma once

#include <cstdint>

namespace platform {

// A point in screen pixels.
struct PointApi {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

// The mouse pointer.
class Pointer {
 public:
  virtual ~Pointer() = default;
  // Nonzero: the point is where the pointer is. Where the desktop cannot tell now (no picture
  // of the screen with the pointer in it yet, the pointer over a screen we do not see), throws
  // forms::NotReady saying so: a made-up position such as (0, 0) would capture the wrong place.
  virtual std::int32_t GetCursorPos(PointApi& point) = 0;
};

}  // namespace platform
