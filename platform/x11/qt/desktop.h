#pragma once

#include <memory>

#include "platform/desktop/desktop.h"
#include "platform/desktop/device_contexts.h"
#include "platform/desktop/elliptic_regions.h"
#include "platform/desktop/start_and_paste.h"
#include "platform/qt/qt_screen_metrics.h"
#include "platform/x11/connection.h"
#include "platform/x11/key_sender.h"
#include "platform/x11/pointer.h"
#include "platform/x11/qt/window_system.h"
#include "platform/x11/screen_compositor.h"
#include "platform/x11/screen_reader.h"
#include "platform/x11/x11_clipboard.h"

namespace x11 {

// The X11 desktop under Qt: the screen, the pointer, keys and program start through an X
// connection of its own, the clipboard through another; the screen's scale, the beep and the
// paint hand-off's timer through Qt, whose application must exist first.
class Desktop final : public platform::Desktop {
 public:
  // Throws std::runtime_error when there is no X display.
  Desktop();

  platform::Pointer& pointer() override { return pointer_; }
  platform::ScreenCopy& screenCopy() override { return deviceContexts_; }
  platform::WindowRegions& windowRegions() override { return regions_; }
  platform::PaintProgram& paintProgram() override { return paint_; }
  platform::Clipboard& clipboard() override { return clipboard_; }
  platform::Screen& screen() override { return screen_; }
  void Beep() override;

  // What the Qt peers need to know of X11, for the toolkit. Lives as long as the desktop.
  qtplatform::WindowSystem& windowSystem() { return windowSystem_; }
  // The screen stretched by the X server, for picture boxes kept there; none when the server
  // cannot (see ScreenCompositor). Lives as long as the desktop.
  ScreenCompositor* compositor() { return compositor_.get(); }

  // At exit, after the event loop: keeps our picture on the clipboard after we are gone (see
  // X11Clipboard).
  void handOverClipboard();

 private:
  Connection connection_;
  ScreenReader screenReader_;
  std::unique_ptr<ScreenCompositor> compositor_;
  // Where the X server stretches, it holds the still capture's area too.
  platform::DeviceContexts deviceContexts_{screenReader_,
                                           compositor_ ? &compositor_->heldScreen() : nullptr};
  platform::EllipticRegions regions_;
  Pointer pointer_{connection_};
  KeySender keySender_{connection_};
  platform::StartAndPaste paint_;
  X11Clipboard clipboard_;
  qtplatform::QtScreenMetrics screen_;
  WindowSystem windowSystem_{pointer_, compositor_.get()};
};

}  // namespace x11
