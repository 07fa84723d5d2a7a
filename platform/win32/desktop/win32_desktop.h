#pragma once

#include "platform/desktop/desktop.h"
#include "platform/desktop/device_contexts.h"
#include "platform/desktop/elliptic_regions.h"
#include "platform/desktop/start_and_paste.h"
#include "platform/win32/desktop/clipboard.h"
#include "platform/win32/desktop/pointer.h"
#include "platform/win32/desktop/screen_metrics.h"
#include "platform/win32/desktop/screen_reader.h"

namespace win32 {

// The real desktop on Windows: the screen, pointer, clipboard, screen scale, beep and the
// paint hand-off (its timer a message-only window's), all on the thread that made it (the
// user-interface thread). The
// native window regions are the picture peer's to set; the regions here are the shared ones.
class Win32Desktop final : public platform::Desktop {
 public:
  Win32Desktop();

  platform::Pointer& pointer() override { return pointer_; }
  platform::ScreenCopy& screenCopy() override { return deviceContexts_; }
  platform::WindowRegions& windowRegions() override { return regions_; }
  platform::PaintProgram& paintProgram() override { return paint_; }
  platform::Clipboard& clipboard() override { return clipboard_; }
  platform::Screen& screen() override { return screen_; }
  void Beep() override;

 private:
  ScreenReader screenReader_;
  platform::DeviceContexts deviceContexts_{screenReader_};
  platform::EllipticRegions regions_;
  Pointer pointer_;
  platform::StartAndPaste paint_;
  Clipboard clipboard_;
  ScreenMetrics screen_;
};

}  // namespace win32
