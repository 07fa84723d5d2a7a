#include "platform/qt/picture_peer.h"

#include <QRegion>

#include "platform/qt/image_files.h"

namespace qtplatform {

QtPicturePeer::QtPicturePeer(PictureWidget* widget, forms::PeerListener& listener)
    : QtWidgetPeer(widget, listener) {}

void QtPicturePeer::setBackColor(graphics::Pixel color) {
  widget().setBackColor(QColor::fromRgb(color));
}

void QtPicturePeer::setPicture(std::optional<forms::ImageFile> imageFile) {
  widget().setPicture(imageFile ? decodeImage(*imageFile) : QImage());
}

void QtPicturePeer::setRegion(const std::optional<graphics::EllipseRegion>& region, bool redraw) {
  if (region) {
    const graphics::Rect& bounds = region->bounds;
    widget().setMask(
        QRegion(bounds.left, bounds.top, bounds.width, bounds.height, QRegion::Ellipse));
  } else {
    widget().clearMask();
  }
  if (redraw) widget().update();
}

}  // namespace qtplatform
