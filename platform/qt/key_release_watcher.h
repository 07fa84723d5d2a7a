#pragma once

#include <QObject>

#include "platform/forms/peers.h"
#include "platform/qt/keyboard_map_tracker.h"

class QWidget;

namespace qtplatform {

// Shows the window every key released in it, before the focused control gets it (which it
// still does), as a Windows virtual-key code and the shift state. The main row's digit keys
// are known by their place on the keyboard, whatever the layout prints on them.
class KeyReleaseWatcher final : public QObject {
 public:
  KeyReleaseWatcher(QWidget& window, forms::PeerListener& listener);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  forms::PeerListener& listener_;
  KeyboardMapTracker keyboard_;
};

}  // namespace qtplatform
