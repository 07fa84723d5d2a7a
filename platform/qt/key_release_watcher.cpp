#include "platform/qt/key_release_watcher.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>
#include <cstdint>

#include "platform/qt/input_state.h"
#include "platform/x11/virtual_keys.h"

namespace qtplatform {

KeyReleaseWatcher::KeyReleaseWatcher(QWidget& window, forms::PeerListener& listener)
    : window_(window), listener_(listener) {
  qApp->installEventFilter(this);
}

bool KeyReleaseWatcher::eventFilter(QObject* watched, QEvent* event) {
  // A key event reaches the window's QWindow once, then travels from the focused widget up
  // through its parents, passing the application's filters at each: take it at the QWindow.
  if (event->type() != QEvent::KeyRelease || watched != window_.windowHandle()) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->isAutoRepeat()) return false;
  const x11::KeyboardMap& keyboard = keyboard_.current();
  const std::uint32_t keycode = key->nativeScanCode();
  // Without a keyboard map (on Wayland) the key codes are evdev's, which place the digit keys.
  std::string_view keyName = keyboard.nameOf(keycode);
  if (keyName.empty()) keyName = x11::evdevDigitRowKeyName(keycode);
  const int keyCode =
      x11::virtualKeyCode(key->nativeVirtualKey(), keyboard.unshiftedKeysymOf(keycode), keyName);
  listener_.peerKeyReleased(keyCode, shiftState(key->modifiers()));
  return false;
}

}  // namespace qtplatform
