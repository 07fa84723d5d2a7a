#include "platform/qt/window_widget.h"

#include <QResizeEvent>

namespace qtplatform {
namespace {

graphics::Size toSize(QSize size) { return {size.width(), size.height()}; }

}  // namespace

WindowWidget::WindowWidget(forms::PeerListener& listener) : listener_(listener) {}

void WindowWidget::resizeClient(graphics::Size size) {
  // Only a window that exists on the X server gets its requests echoed.
  if (windowHandle() != nullptr && toSize(this->size()) != size) echoes_.requested(size);
  resize(size.width, size.height);
}

graphics::Size WindowWidget::clientSize() const {
  known_ = toSize(size());
  return known_;
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
  if (!event->spontaneous()) return;
  const graphics::Size size = toSize(event->size());
  // While more of our own requests are on their way, this size is about to be replaced.
  if (echoes_.confirms(size) && echoes_.pending()) return;
  if (size == known_) return;
  known_ = size;
  listener_.peerResized(size);
}

void WindowWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  // Qt also announces "changes" to the state the window already had.
  if (static_cast<QWindowStateChangeEvent*>(event)->oldState() != windowState()) {
    listener_.peerWindowStateChanged();
  }
}

}  // namespace qtplatform
