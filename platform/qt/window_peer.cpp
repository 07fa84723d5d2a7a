#include "platform/qt/window_peer.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

#include "platform/qt/image_files.h"

namespace qtplatform {

QtWindowPeer::QtWindowPeer(forms::PeerListener& listener, WindowSystem& windowSystem)
    : window_(listener, windowSystem),
      pointer_(window_, listener),
      keys_(window_, listener, windowSystem),
      frameAnswer_(windowSystem.askFrame(window_)) {}

void QtWindowPeer::setCaption(const std::string& caption) {
  window_.setWindowTitle(QString::fromStdString(caption));
}

void QtWindowPeer::setIcon(forms::ImageFile iconFile) {
  window_.setWindowIcon(QIcon(QPixmap::fromImage(decodeImage(iconFile))));
}

forms::Margins QtWindowPeer::frameMargins() const {
  // Both rectangles are the client's until the window shows framed; a window sized before that
  // must already count the frame it will get.
  const QRect frame = window_.frameGeometry();
  const QRect client = window_.geometry();
  if (frame == client) {
    if (!announcedFrame_) announcedFrame_ = frameAnswer_();
    return *announcedFrame_;
  }
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

void QtWindowPeer::show() {
  if (window_.isVisible()) return;
  window_.show();
  // A window opens with the focus on the first control of its tab order that can take it;
  // left to Qt, it would go to the first control made.
  for (const QPointer<QWidget>& control : tabOrder_) {
    if (control && control->isVisibleTo(&window_) && control->focusPolicy() != Qt::NoFocus) {
      control->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void QtWindowPeer::setTabOrder(const std::vector<forms::WidgetPeer*>& order) {
  tabOrder_.clear();
  for (forms::WidgetPeer* peer : order) tabOrder_.emplace_back(&nativeWidgetOf(*peer));
  for (std::size_t i = 1; i < tabOrder_.size(); ++i)
    QWidget::setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
}

}  // namespace qtplatform
