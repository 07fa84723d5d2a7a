#include "platform/qt/window_widget.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QResizeEvent>
#include <QShowEvent>
#include <QWindow>

namespace qtplatform {
namespace {

graphics::Size toSize(QSize size) { return {size.width(), size.height()}; }

}  // namespace

WindowWidget::WindowWidget(forms::PeerListener& listener) : listener_(listener) {
  QCoreApplication::instance()->installNativeEventFilter(this);
}

void WindowWidget::resizeClient(graphics::Size size) {
  // Qt passes a resize on to the X server only while the window is shown, and one to an empty
  // size not at all (it unmaps the window instead).
  if (isVisible() && size.width > 0 && size.height > 0 && toSize(this->size()) != size) {
    echoes_.requested(size);
  }
  resize(size.width, size.height);
}

graphics::Size WindowWidget::clientSize() const {
  known_ = toSize(size());
  return known_;
}

WId WindowWidget::makeNativeWindow() {
  const WId window = winId();
  // Asked about the window, the window manager may answer with the size the window was made
  // at as well, to be read only after the window showed at another.
  echoes_.requested(toSize(size()));
  return window;
}

void WindowWidget::showEvent(QShowEvent* event) {
  // Sent before Qt maps the window, and sizes it to the widget if that changed meanwhile.
  const QWindow* window = windowHandle();
  if (!event->spontaneous() && window != nullptr && window->size() != size()) {
    echoes_.requested(toSize(size()));
  }
  QWidget::showEvent(event);
}

bool WindowWidget::nativeEventFilter(const QByteArray& eventType, void* message,
                                     qintptr* /*result*/) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const WId window = internalWinId();
  if ((event->response_type & 0x7F) == XCB_DESTROY_NOTIFY) {
    const auto* destroy = static_cast<const xcb_destroy_notify_event_t*>(message);
    if (window == 0 || destroy->window != window) return false;
    // Destroyed from outside (xdotool windowclose, a window manager gone astray): Qt would keep
    // a window that no longer exists, and the program would run on with none. Close it as the
    // user would, once Qt is done with this event.
    QMetaObject::invokeMethod(this, "close", Qt::QueuedConnection);
    return false;
  }
  if ((event->response_type & 0x7F) != XCB_CONFIGURE_NOTIFY) return false;
  const auto* configure = static_cast<const xcb_configure_notify_event_t*>(message);
  if (window == 0 || configure->event != window || configure->window != window) return false;
  const forms::ResizeEchoes::Answer answer = echoes_.answer({configure->width, configure->height});
  // Until the window shows, its size is the runtime's alone: showing takes it to the server.
  if (!isVisible()) return true;
  // An older request's answer: Qt would take the window for that size, and lay it out and
  // paint it so, until the newer answers come. Keep it from Qt altogether.
  return answer == forms::ResizeEchoes::Answer::Stale;
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
