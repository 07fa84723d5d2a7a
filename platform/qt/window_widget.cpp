#include "platform/qt/window_widget.h"

#include <QResizeEvent>
#include <QShowEvent>
#include <QWindow>

namespace qtplatform {
namespace {

graphics::Size toSize(QSize size) { return {size.width(), size.height()}; }

}  // namespace

WindowWidget::WindowWidget(forms::PeerListener& listener, WindowSystem& windowSystem)
    : listener_(listener), nativeEvents_(windowSystem.watch(*this)) {}

void WindowWidget::resizeClient(graphics::Size size) {
  // Qt passes a resize on to the window system only while the window is shown, and one to an
  // empty size not at all (it unmaps the window instead).
  if (isVisible() && size.width > 0 && size.height > 0 && toSize(this->size()) != size) {
    resizeRequested(size);
  }
  resize(size.width, size.height);
}

graphics::Size WindowWidget::clientSize() const {
  known_ = toSize(size());
  return known_;
}

void WindowWidget::resizeRequested(graphics::Size size) {
  if (nativeEvents_) nativeEvents_->resizeRequested(size);
}

void WindowWidget::showEvent(QShowEvent* event) {
  // Sent before Qt maps the window, and sizes it to the widget if that changed meanwhile.
  const QWindow* window = windowHandle();
  if (!event->spontaneous() && window != nullptr && window->size() != size()) {
    resizeRequested(toSize(size()));
  }
  QWidget::showEvent(event);
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
  // Our own resizes come as Qt's own events; the replays of older ones never get this far.
  // Whatever else the window system did to the size is news to the runtime.
  if (!event->spontaneous()) return;
  const graphics::Size size = toSize(event->size());
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
