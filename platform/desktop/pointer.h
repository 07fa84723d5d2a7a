#pragma once

#include <cstdint>

namespace platform {

// A point in screen pixels. Callers zero it before asking, so a failed call reads (0, 0).
struct PointApi {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

// The mouse pointer.
class Pointer {
 public:
  virtual ~Pointer() = default;
  // Nonzero on success; the point is left alone on failure.
  virtual std::int32_t GetCursorPos(PointApi& point) = 0;
};

}  // namespace platform
