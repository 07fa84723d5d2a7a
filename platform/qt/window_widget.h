#pragma once

#include <QAbstractNativeEventFilter>
#include <QWidget>

#include "platform/forms/peers.h"
#include "platform/forms/resize_echoes.h"

namespace qtplatform {

// The top-level window. Reports the user's resizes and state changes; the program's own
// resizes are not reported back, and the window manager's late echoes of them do not even
// reach Qt, so that the widget, the X window and the runtime all end at the last size asked.
class WindowWidget final : public QWidget, private QAbstractNativeEventFilter {
 public:
  explicit WindowWidget(forms::PeerListener& listener);

  void resizeClient(graphics::Size size);
  // What the runtime reads as the client size; it takes that as known from then on.
  graphics::Size clientSize() const;
  // Makes the X window before the window shows, so that the window manager can be asked about
  // it.
  WId makeNativeWindow();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  forms::PeerListener& listener_;
  forms::ResizeEchoes echoes_;
  mutable graphics::Size known_;  // the client size the runtime last saw
};

}  // namespace qtplatform
