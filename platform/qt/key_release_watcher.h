#pragma once

#include <QObject>

#include "platform/forms/peers.h"

class QWidget;

namespace qtplatform {

// Shows the window every key released in it, before the focused control gets it (which it
// still does), as a Windows virtual-key code and the shift state.
class KeyReleaseWatcher final : public QObject {
 public:
  KeyReleaseWatcher(QWidget& window, forms::PeerListener& listener);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  forms::PeerListener& listener_;
};

}  // namespace qtplatform
