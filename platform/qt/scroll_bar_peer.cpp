#include "platform/qt/scroll_bar_peer.h"

#include <QSignalBlocker>

namespace qtplatform {

QtScrollBarPeer::QtScrollBarPeer(QWidget& parent, forms::PeerListener& listener)
    : QtWidgetPeer(new ClassicScrollBar(parent), listener) {
  ClassicScrollBar& bar = widget();
  // A dragged thumb reports once, on release; arrows, track clicks and keys report at once.
  bar.setTracking(false);
  QObject::connect(&bar, &QScrollBar::valueChanged, &bar,
                   [&listener](int value) { listener.peerScrolled(value); });
}

void QtScrollBarPeer::setRange(const forms::ScrollRange& range) {
  // The runtime moves the value into a new range itself, and reports that on its own.
  const QSignalBlocker quiet(widget());
  widget().setRange(range.min, range.max);
  widget().setSingleStep(range.smallChange);
  widget().setPageStep(range.largeChange);
}

void QtScrollBarPeer::setValue(int value) {
  const QSignalBlocker quiet(widget());
  widget().setValue(value);
}

}  // namespace qtplatform
