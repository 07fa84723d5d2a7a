#include "platform/qt/server_picture_widget.h"

namespace qtplatform {

ServerPictureWidget::ServerPictureWidget(QWidget& parent, forms::PeerListener& listener,
                                         x11::ScreenCompositor& compositor)
    : PictureWidget(parent, listener), connection_(compositor.connection()), surface_(compositor) {
  setAttribute(Qt::WA_NativeWindow);
  // Qt hands every paint to paintEvent and draws nothing itself, not even a background.
  setAttribute(Qt::WA_PaintOnScreen);
  setAttribute(Qt::WA_NoSystemBackground);
}

void ServerPictureWidget::paintEvent(QPaintEvent* /*event*/) {
  surface_.present(winId(), {width(), height()}, backColor().rgb() & 0xFFFFFFU, overlay_.get());
}

void ServerPictureWidget::pictureChanged() {
  overlay_.reset();
  if (picture().isNull()) return;
  const QImage argb = picture().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  overlay_ = std::make_unique<x11::ServerImage>(
      connection_, reinterpret_cast<const std::uint32_t*>(argb.constBits()),
      graphics::Size{argb.width(), argb.height()}, argb.bytesPerLine() / 4);
}

}  // namespace qtplatform
