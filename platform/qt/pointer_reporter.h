#pragma once

#include <QObject>

#include "platform/forms/peers.h"

class QWidget;

namespace qtplatform {

// Reports pointer moves over one control, without a button pressed too, in the control's own
// pixels. A control may be built from several widgets (a text box's viewport and scroll bars);
// moves over any of them count, moves over a child control do not: each move is reported by
// exactly one control, the topmost one under the pointer.
class PointerReporter final : public QObject {
 public:
  PointerReporter(QWidget& control, forms::PeerListener& listener);

  // Watches `part` and everything inside it as part of the control.
  void watch(QWidget& part);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& control_;
  forms::PeerListener& listener_;
};

}  // namespace qtplatform
