#pragma once

#include <QAbstractNativeEventFilter>

#include "platform/forms/resize_echoes.h"
#include "platform/qt/window_system.h"
#include "platform/qt/window_widget.h"

namespace x11 {

// The program's window as the X server reports it, ahead of Qt. Under a window manager, the
// program's back-to-back resizes come back later as configure events replaying older sizes:
// those never reach Qt, which would lay the window out and paint it at each of them. A window
// destroyed from outside (xdotool windowclose, a window manager gone astray) is closed as the
// user would close it, so the program ends instead of running on without a window.
class WindowEvents final : public qtplatform::NativeWindowEvents,
                           private QAbstractNativeEventFilter {
 public:
  // Installs itself as a filter of the application's native events; the filter goes with it.
  explicit WindowEvents(qtplatform::WindowWidget& window);

  void resizeRequested(graphics::Size client) override { echoes_.requested(client); }

 private:
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  qtplatform::WindowWidget& window_;
  forms::ResizeEchoes echoes_;
};

}  // namespace x11
