#pragma once

#include "platform/graphics/bitmap.h"

namespace forms {
class Runtime;
}

namespace platform {

// Handing a picture to the desktop's paint program: one intent that each desktop carries out
// its own way (start the program and paste where one program may type into another, open the
// picture as a file where none may).
class PaintProgram {
 public:
  virtual ~PaintProgram() = default;

  // Whether a hand-off is still under way; the next one waits for its end.
  virtual bool handingOver() const = 0;
  // Starts handing `picture` over and returns at once; not while handingOver() (a logic error).
  // What is left happens in events of the desktop's own, each delivered through `runtime`'s
  // error boundary, which reports a failure then as it reports a handler's. Throws
  // forms::RuntimeError when nothing could be started (no paint program installed, ...).
  virtual void handOver(const graphics::Bitmap& picture, forms::Runtime& runtime) = 0;
};

}  // namespace platform
