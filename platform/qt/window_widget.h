#pragma once

#include <QWidget>
#include <memory>

#include "platform/forms/peers.h"
#include "platform/qt/window_system.h"

namespace qtplatform {

// The top-level window. Reports the user's resizes and state changes; the program's own
// resizes are not reported back, and where the window system echoes them later (see
// NativeWindowEvents) the echoes do not even reach Qt, so that the widget, the native window and
// the runtime all end at the last size asked.
class WindowWidget final : public QWidget {
 public:
  WindowWidget(forms::PeerListener& listener, WindowSystem& windowSystem);

  void resizeClient(graphics::Size size);
  // What the runtime reads as the client size; it takes that as known from then on.
  graphics::Size clientSize() const;
  // A size the program asked for, told to the window system's native events.
  void resizeRequested(graphics::Size size);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  forms::PeerListener& listener_;
  std::unique_ptr<NativeWindowEvents> nativeEvents_;
  mutable graphics::Size known_;  // the client size the runtime last saw
};

}  // namespace qtplatform
