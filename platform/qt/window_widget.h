#pragma once

#include <QWidget>

#include "platform/forms/peers.h"
#include "platform/qt/resize_echoes.h"

namespace qtplatform {

// The top-level window. Reports the user's resizes and state changes; the program's own
// resizes, and the window manager's late echoes of them, are not reported back.
class WindowWidget final : public QWidget {
 public:
  explicit WindowWidget(forms::PeerListener& listener);

  void resizeClient(graphics::Size size);
  // What the runtime reads as the client size; it takes that as known from then on.
  graphics::Size clientSize() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  forms::PeerListener& listener_;
  ResizeEchoes echoes_;
  mutable graphics::Size known_;  // the client size the runtime last saw
};

}  // namespace qtplatform
