#pragma once

#include "platform/graphics/bitmap.h"

namespace platform {

// The system clipboard.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Empties the system clipboard, whoever owned it.
  virtual void Clear() = 0;
  // Offers the picture to every program on the desktop, pixel for pixel.
  virtual void SetData(const graphics::Bitmap& picture) = 0;
};

}  // namespace platform
