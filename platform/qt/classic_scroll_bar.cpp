#include "platform/qt/classic_scroll_bar.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace qtplatform {

ClassicScrollBar::ClassicScrollBar(QWidget& parent) : QScrollBar(Qt::Horizontal, &parent) {
  // Qt's bar takes no focus by default, and its keys would run backwards without this.
  setFocusPolicy(Qt::StrongFocus);
  setInvertedControls(false);
}

void ClassicScrollBar::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
      triggerAction(SliderSingleStepSub);
      break;
    case Qt::Key_Right:
    case Qt::Key_Down:
      triggerAction(SliderSingleStepAdd);
      break;
    case Qt::Key_PageUp:
      triggerAction(SliderPageStepSub);
      break;
    case Qt::Key_PageDown:
      triggerAction(SliderPageStepAdd);
      break;
    case Qt::Key_Home:
      triggerAction(SliderToMinimum);
      break;
    case Qt::Key_End:
      triggerAction(SliderToMaximum);
      break;
    default:
      QScrollBar::keyPressEvent(event);
      return;
  }
  event->accept();
}

void ClassicScrollBar::wheelEvent(QWheelEvent* event) { event->ignore(); }

}  // namespace qtplatform
