#include "platform/x11/qt/keyboard_map_tracker.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdint>

// Xlib's macros (None, KeyPress, ...) clash with Qt's names: its headers come last.
#include <X11/XKBlib.h>
#include <xcb/xcb.h>

namespace x11 {
namespace {

constexpr std::uint8_t kSentByClient = 0x80;  // the flag of an event sent with SendEvent

}  // namespace

KeyboardMapTracker::KeyboardMapTracker() {
  const auto* application = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (application == nullptr || application->display() == nullptr) return;
  display_ = application->display();
  int opcode = 0;
  int errorBase = 0;
  int major = XkbMajorVersion;
  int minor = XkbMinorVersion;
  if (XkbQueryExtension(display_, &opcode, &xkbEventBase_, &errorBase, &major, &minor) == 0) {
    xkbEventBase_ = -1;
  }
  QCoreApplication::instance()->installNativeEventFilter(this);
}

const KeyboardMap& KeyboardMapTracker::current() {
  if (stale_ && display_ != nullptr) map_ = KeyboardMap::read(display_);
  stale_ = false;
  return map_;
}

// Qt already asks for the XKB events that a new keymap brings (it follows the keymap too); we
// only note them and read the map again when the next key needs it.
bool KeyboardMapTracker::nativeEventFilter(const QByteArray& eventType, void* message,
                                           qintptr* /*result*/) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const int type = event->response_type & ~kSentByClient;
  // XKB's events share one event code and tell their kind in the next byte.
  const bool keyboardChanged =
      type == xkbEventBase_ && (event->pad0 == XkbNewKeyboardNotify ||
                                event->pad0 == XkbMapNotify || event->pad0 == XkbNamesNotify);
  if (keyboardChanged || type == XCB_MAPPING_NOTIFY) stale_ = true;
  return false;
}

}  // namespace x11
