#pragma once

#include <QObject>

#include "platform/forms/peers.h"
#include "platform/qt/window_system.h"

class QWidget;

namespace qtplatform {

// Shows the window every key released in it, before the focused control gets it (which it
// still does), as a Windows virtual-key code (see WindowSystem::deliverKeyRelease) and the
// shift state.
class KeyReleaseWatcher final : public QObject {
 public:
  KeyReleaseWatcher(QWidget& window, forms::PeerListener& listener, WindowSystem& windowSystem);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  forms::PeerListener& listener_;
  WindowSystem& windowSystem_;
};

}  // namespace qtplatform
