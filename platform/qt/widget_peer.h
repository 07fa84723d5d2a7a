#pragma once

#include <QApplication>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <QWindow>
#include <optional>
#include <string>

#include "platform/forms/peers.h"
#include "platform/qt/image_files.h"
#include "platform/qt/native_widget.h"
#include "platform/qt/pointer_reporter.h"
#include "platform/qt/qt_font.h"

namespace qtplatform {

// How many times the program has asked a control for the focus: a control hidden and shown
// again regains it only if the program asked for none in between. Qt hands the focus of a
// control it hides to the next one itself, which may well be the one the program then asks
// for, so where the focus is does not tell.
inline unsigned focusRequests = 0;

// What every control's peer does the same way, over its one top widget. `Interface` is the
// kind's peer interface (forms::ButtonPeer, ...), `Widget` the Qt widget that shows the kind.
template <typename Interface, typename Widget>
class QtWidgetPeer : public Interface, public NativeWidget {
 public:
  QtWidgetPeer(const QtWidgetPeer&) = delete;
  QtWidgetPeer& operator=(const QtWidgetPeer&) = delete;

  // Qt deletes children with their parent; a widget whose container went first is gone already.
  ~QtWidgetPeer() override { delete widget_.data(); }

  void setGeometry(const graphics::Rect& pixels) override {
    widget_->setGeometry(pixels.left, pixels.top, pixels.width, pixels.height);
    // Qt moves a hidden control's own window only when it shows, and a restacking reported
    // meanwhile brings the window's old size back to the control: move the window now.
    QWindow* window = widget_->windowHandle();
    if (window != nullptr && !widget_->isWindow() && !widget_->isVisible()) {
      window->setGeometry(
          QRect(widget_->mapTo(widget_->nativeParentWidget(), QPoint()), widget_->size()));
    }
  }
  // A control hidden and shown again at once (the layout does that to the lens bar) keeps the
  // keyboard focus, as a native control would; Qt alone hands it to the next widget.
  void setVisible(bool visible) override {
    if (!visible && widget_->hasFocus()) {
      widget_->hide();
      regainFocusOnShow_ = true;
      focusAfterHide_ = QApplication::focusWidget();
      focusRequestsAtHide_ = focusRequests;
      return;
    }
    widget_->setVisible(visible);
    if (!visible) return;
    // Only if nothing took the focus on purpose in between.
    if (regainFocusOnShow_ && QApplication::focusWidget() == focusAfterHide_ &&
        focusRequests == focusRequestsAtHide_) {
      widget_->setFocus(Qt::OtherFocusReason);
    }
    regainFocusOnShow_ = false;
  }
  void setToolTip(const std::string& text) override {
    widget_->setToolTip(QString::fromStdString(text));
  }
  void setFont(const forms::FontSpec& font) override { widget_->setFont(toQFont(font)); }
  void setPointer(std::optional<forms::ImageFile> cursorFile) override {
    if (cursorFile) {
      widget_->setCursor(decodeCursor(*cursorFile));
    } else {
      widget_->unsetCursor();
    }
  }
  bool setFocus() override {
    if (widget_->focusPolicy() == Qt::NoFocus || !widget_->isEnabled()) return false;
    ++focusRequests;
    widget_->setFocus(Qt::OtherFocusReason);
    return true;
  }
  bool hasFocus() const override { return widget_->hasFocus(); }

  QWidget& nativeWidget() override { return *widget_; }

 protected:
  // Takes a new child widget of the container. A control made later lies below those made
  // before it, and shows with its container unless it is hidden.
  QtWidgetPeer(Widget* widget, forms::PeerListener& listener)
      : widget_(widget), pointer_(*widget, listener) {
    // Inside a box that the X server paints directly, a control needs a window of its own:
    // the server keeps that painting off windows only.
    const QWidget* container = widget_->parentWidget();
    if (container != nullptr && container->testAttribute(Qt::WA_PaintOnScreen)) {
      widget_->setAttribute(Qt::WA_NativeWindow);
    }
    widget_->lower();
    widget_->show();
  }

  Widget& widget() { return *widget_; }
  PointerReporter& pointerReporter() { return pointer_; }

 private:
  QPointer<Widget> widget_;
  PointerReporter pointer_;
  bool regainFocusOnShow_ = false;
  QPointer<QWidget> focusAfterHide_;
  unsigned focusRequestsAtHide_ = 0;
};

}  // namespace qtplatform
