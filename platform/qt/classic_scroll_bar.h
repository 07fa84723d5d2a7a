#pragma once

#include <QScrollBar>

namespace qtplatform {

// A horizontal scroll bar with the classic keys: Left and Up step back, Right and Down step on,
// Page Up and Page Down page, Home and End go to the ends. Qt's own mapping turns Up, Down and
// the page keys the other way round on a bar whose Right key steps on. Like the native bar it
// stands for, it takes no mouse wheel: a turn over it must not change the zoom, nor capture.
class ClassicScrollBar final : public QScrollBar {
 public:
  explicit ClassicScrollBar(QWidget& parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
};

}  // namespace qtplatform
