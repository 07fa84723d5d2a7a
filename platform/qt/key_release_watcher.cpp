#include "platform/qt/key_release_watcher.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include "platform/qt/input_state.h"

namespace qtplatform {

KeyReleaseWatcher::KeyReleaseWatcher(QWidget& window, forms::PeerListener& listener,
                                     WindowSystem& windowSystem)
    : window_(window), listener_(listener), windowSystem_(windowSystem) {
  qApp->installEventFilter(this);
}

bool KeyReleaseWatcher::eventFilter(QObject* watched, QEvent* event) {
  // A key event reaches the window's QWindow once, then travels from the focused widget up
  // through its parents, passing the application's filters at each: take it at the QWindow.
  if (event->type() != QEvent::KeyRelease || watched != window_.windowHandle()) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->isAutoRepeat()) return false;
  windowSystem_.deliverKeyRelease(
      *key, [&](int keyCode) { listener_.peerKeyReleased(keyCode, shiftState(key->modifiers())); });
  return false;
}

}  // namespace qtplatform
