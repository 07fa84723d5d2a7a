#include "platform/x11/qt/window_events.h"

#include <xcb/xcb.h>

#include <QCoreApplication>

namespace x11 {

WindowEvents::WindowEvents(qtplatform::WindowWidget& window) : window_(window) {
  QCoreApplication::instance()->installNativeEventFilter(this);
}

bool WindowEvents::nativeEventFilter(const QByteArray& eventType, void* message,
                                     qintptr* /*result*/) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const WId window = window_.internalWinId();
  if ((event->response_type & 0x7F) == XCB_DESTROY_NOTIFY) {
    const auto* destroy = static_cast<const xcb_destroy_notify_event_t*>(message);
    if (window == 0 || destroy->window != window) return false;
    // Once Qt is done with this event.
    QMetaObject::invokeMethod(&window_, "close", Qt::QueuedConnection);
    return false;
  }
  if ((event->response_type & 0x7F) != XCB_CONFIGURE_NOTIFY) return false;
  const auto* configure = static_cast<const xcb_configure_notify_event_t*>(message);
  if (window == 0 || configure->event != window || configure->window != window) return false;
  const forms::ResizeEchoes::Answer answer = echoes_.answer({configure->width, configure->height});
  // Until the window shows, its size is the runtime's alone: showing takes it to the server.
  if (!window_.isVisible()) return true;
  // An older request's answer: Qt would take the window for that size, and lay it out and
  // paint it so, until the newer answers come. Keep it from Qt altogether.
  return answer == forms::ResizeEchoes::Answer::Stale;
}

}  // namespace x11
