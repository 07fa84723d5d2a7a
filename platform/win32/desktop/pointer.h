#pragma once

#include "platform/desktop/pointer.h"

namespace win32 {

// The mouse pointer in screen pixels of the virtual screen.
class Pointer final : public platform::Pointer {
 public:
  std::int32_t GetCursorPos(platform::PointApi& point) override;
};

}  // namespace win32
