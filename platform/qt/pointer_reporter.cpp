#include "platform/qt/pointer_reporter.h"

#include <QMouseEvent>
#include <QWidget>

#include "platform/qt/input_state.h"

namespace qtplatform {

PointerReporter::PointerReporter(QWidget& control, forms::PeerListener& listener)
    : control_(control), listener_(listener) {
  watch(control);
}

void PointerReporter::watch(QWidget& part) {
  part.setMouseTracking(true);
  part.installEventFilter(this);
  for (QWidget* inner : part.findChildren<QWidget*>()) {
    inner->setMouseTracking(true);
    inner->installEventFilter(this);
  }
}

bool PointerReporter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseMove || !watched->isWidgetType()) return false;
  auto* part = static_cast<QWidget*>(watched);
  const auto* move = static_cast<QMouseEvent*>(event);
  const QPointF position = part->mapTo(&control_, move->position());
  // A move that a child ignores travels on to its parents; only the part that lies topmost
  // under the pointer reports it. Outside the control (a drag) only the control itself does.
  const QWidget* topmost = control_.childAt(position.toPoint());
  const bool ours = (part == &control_) ? topmost == nullptr : topmost == part;
  if (ours) {
    listener_.peerMouseMoved({buttonState(move->buttons()), shiftState(move->modifiers()),
                              static_cast<float>(position.x()), static_cast<float>(position.y())});
  }
  return false;
}

}  // namespace qtplatform
