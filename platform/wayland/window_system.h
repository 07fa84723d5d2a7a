#pragma once

#include <memory>
#include <optional>

#include "platform/qt/window_system.h"
#include "platform/wayland/compositor_globals.h"

namespace wayland {

// Qt on Wayland: key codes by evdev's key numbers (no keyboard map to read), Qt's own events
// for the window, and picture boxes in the window shown by the compositor from buffers of ours
// (those inside another box, and all of them on a compositor without subsurfaces, painted by
// Qt). The frame Qt draws round a window is known only once the window shows.
class WindowSystem final : public qtplatform::WindowSystem {
 public:
  WindowSystem();
  ~WindowSystem() override;

  std::unique_ptr<qtplatform::NativeWindowEvents> watch(qtplatform::WindowWidget& window) override;
  std::function<forms::Margins()> askFrame(qtplatform::WindowWidget& window) override;
  void deliverKeyRelease(const QKeyEvent& key,
                         const std::function<void(int keyCode)>& deliver) override;
  qtplatform::PictureWidget* createPictureWidget(QWidget& parent,
                                                 forms::PeerListener& listener) override;

 private:
  // Bound when the first picture box is made, Qt's connection being up by then.
  std::optional<std::unique_ptr<CompositorGlobals>> globals_;
};

}  // namespace wayland
