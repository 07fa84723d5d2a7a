#pragma once

#include "platform/qt/window_system.h"

namespace wayland {

// Qt on Wayland: key codes by evdev's key numbers (no keyboard map to read), Qt's own events
// for the window, picture boxes painted by Qt. The frame Qt draws round a window is known only
// once the window shows.
class WindowSystem final : public qtplatform::WindowSystem {
 public:
  std::unique_ptr<qtplatform::NativeWindowEvents> watch(qtplatform::WindowWidget& window) override;
  forms::Margins announcedFrame(qtplatform::WindowWidget& window) override;
  void deliverKeyRelease(const QKeyEvent& key,
                         const std::function<void(int keyCode)>& deliver) override;
  qtplatform::PictureWidget* createPictureWidget(QWidget& parent,
                                                 forms::PeerListener& listener) override;
};

}  // namespace wayland
