#include "platform/x11/qt/server_picture_widget.h"

#include <QCoreApplication>

namespace x11 {

ServerPictureWidget::ServerPictureWidget(QWidget& parent, forms::PeerListener& listener,
                                         ScreenCompositor& compositor)
    : qtplatform::PictureWidget(parent, listener),
      connection_(compositor.connection()),
      surface_(compositor) {
  // The box alone needs a window of its own. Left to itself, Qt would give one to every control
  // beside it too: each a window more to make at start-up and to paint into apart.
  QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
  setAttribute(Qt::WA_NativeWindow);
  // Qt hands every paint to paintEvent and draws nothing itself, not even a background.
  setAttribute(Qt::WA_PaintOnScreen);
  setAttribute(Qt::WA_NoSystemBackground);
}

void ServerPictureWidget::paintEvent(QPaintEvent* /*event*/) {
  surface_.present(winId(), {width(), height()}, backColor().rgb() & 0xFFFFFFU, overlay_);
}

void ServerPictureWidget::pictureChanged() {
  overlay_ = {};
  if (picture().isNull()) return;
  const QImage argb = picture().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  overlay_ = ServerPicture(connection_.display(), {argb.width(), argb.height()},
                           ServerPicture::Format::Argb32);
  overlay_.put(reinterpret_cast<const std::uint32_t*>(argb.constBits()), argb.bytesPerLine() / 4,
               {0, 0, argb.width(), argb.height()});
}

}  // namespace x11
