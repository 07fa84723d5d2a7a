#pragma once

#include <functional>
#include <string>
#include <utility>

#include "platform/desktop/desktop.h"
#include "platform/desktop/device_contexts.h"
#include "platform/desktop/elliptic_regions.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_screen_metrics.h"
#include "platform/wayland/bell.h"
#include "platform/wayland/paint_by_file.h"
#include "platform/wayland/screen_sharing.h"

namespace wayland {

// The desktop of a Wayland session: the screen and the pointer as the user shares them through
// the ScreenCast portal (PipeWire frames with the pointer in their metadata), the clipboard and
// the screen's scale through Qt, the compositor's bell, and the paint program opening the
// picture as a file. Needs a QApplication on Qt's Wayland platform.
class WaylandDesktop final : public platform::Desktop {
 public:
  // `news` gets what the user must know as it happens, from start() on.
  explicit WaylandDesktop(ScreenSharing::News news)
      : sharing_(RestoreTokenStore::inUserState(), std::move(news)) {}

  // Asks for the screen: the permission dialog the first time, at once with a kept consent.
  void start() { sharing_.begin(); }

  platform::Pointer& pointer() override { return sharing_; }
  platform::ScreenCopy& screenCopy() override { return deviceContexts_; }
  platform::WindowRegions& windowRegions() override { return regions_; }
  platform::PaintProgram& paintProgram() override { return paint_; }
  platform::Clipboard& clipboard() override { return clipboard_; }
  platform::Screen& screen() override { return screen_; }
  void Beep() override { bell_.ring(); }

 private:
  ScreenSharing sharing_;
  platform::DeviceContexts deviceContexts_{sharing_.screen()};
  platform::EllipticRegions regions_;
  qtplatform::QtClipboard clipboard_;
  PaintByFile paint_;
  qtplatform::QtScreenMetrics screen_;
  Bell bell_;
};

}  // namespace wayland
