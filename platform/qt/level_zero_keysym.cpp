#include "platform/qt/level_zero_keysym.h"

#include <QGuiApplication>

// Xlib's macros (None, KeyPress, ...) clash with Qt's names: its headers come last.
#include <X11/XKBlib.h>

namespace qtplatform {

unsigned long levelZeroKeysym(std::uint32_t keycode, unsigned long fallback) {
  constexpr std::uint32_t kMinKeycode = 8;
  constexpr std::uint32_t kMaxKeycode = 255;
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->display() == nullptr || keycode < kMinKeycode ||
      keycode > kMaxKeycode) {
    return fallback;
  }
  const KeySym keysym = XkbKeycodeToKeysym(x11->display(), static_cast<KeyCode>(keycode), 0, 0);
  return keysym == NoSymbol ? fallback : keysym;
}

}  // namespace qtplatform
