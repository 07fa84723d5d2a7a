#pragma once

#include "platform/qt/window_system.h"
#include "platform/x11/pointer.h"
#include "platform/x11/qt/key_release_places.h"
#include "platform/x11/qt/keyboard_map_tracker.h"
#include "platform/x11/screen_compositor.h"

namespace x11 {

// Qt on X11: keys by their XKB names, the window manager's frame and its late echoes of our
// resizes, and, with a compositor, picture boxes whose pictures stay on the X server.
class WindowSystem final : public qtplatform::WindowSystem {
 public:
  // `pointer` reads where keys were released while they are handled; `compositor` (may be
  // null) keeps picture boxes on the server. Both must outlive this and every window made.
  WindowSystem(Pointer& pointer, ScreenCompositor* compositor);

  std::unique_ptr<qtplatform::NativeWindowEvents> watch(qtplatform::WindowWidget& window) override;
  std::function<forms::Margins()> askFrame(qtplatform::WindowWidget& window) override;
  void deliverKeyRelease(const QKeyEvent& key,
                         const std::function<void(int keyCode)>& deliver) override;
  qtplatform::PictureWidget* createPictureWidget(QWidget& parent,
                                                 forms::PeerListener& listener) override;

 private:
  Pointer& pointer_;
  ScreenCompositor* compositor_;
  KeyboardMapTracker keyboard_;
  KeyReleasePlaces releases_;
};

}  // namespace x11
