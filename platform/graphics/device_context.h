#pragma once

#include "platform/graphics/pixel_source.h"
#include "platform/graphics/surface.h"

namespace graphics {

// A device context: something the stretching copy reads from, draws into, or both.
class DeviceContext {
 public:
  virtual ~DeviceContext() = default;
  virtual PixelSource* source() { return nullptr; }
  virtual Surface* target() { return nullptr; }
  // Called after drawing into target(), so that whoever shows it can repaint.
  virtual void targetChanged() {}
};

}  // namespace graphics
