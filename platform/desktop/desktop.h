#pragma once

#include "platform/desktop/clipboard.h"
#include "platform/desktop/paint_program.h"
#include "platform/desktop/pointer.h"
#include "platform/desktop/screen_copy.h"
#include "platform/desktop/screen_metrics.h"
#include "platform/desktop/window_regions.h"

// What the program uses outside its window, in small services of its own terms. One
// implementation per platform and a fake for the tests.
namespace platform {

class Desktop {
 public:
  virtual ~Desktop() = default;

  virtual Pointer& pointer() = 0;
  virtual ScreenCopy& screenCopy() = 0;
  virtual WindowRegions& windowRegions() = 0;
  virtual PaintProgram& paintProgram() = 0;
  virtual Clipboard& clipboard() = 0;
  virtual Screen& screen() = 0;
  // One default system beep.
  virtual void Beep() = 0;
};

}  // namespace platform
