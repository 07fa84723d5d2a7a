#include "platform/qt/picture_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <utility>

namespace qtplatform {

PictureWidget::PictureWidget(QWidget& parent, forms::PeerListener& listener)
    : QWidget(&parent), listener_(listener) {
  // Every paint covers the whole box.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void PictureWidget::setBackColor(QColor color) {
  backColor_ = color;
  update();
}

void PictureWidget::setPicture(QImage picture) {
  picture_ = std::move(picture);
  pictureChanged();
  update();
}

bool PictureWidget::hits(QPoint position) const {
  // Over a child control the press is the child's, not this box's.
  return rect().contains(position) && (mask().isEmpty() || mask().contains(position)) &&
         childAt(position) == nullptr;
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !hits(event->position().toPoint())) {
    event->ignore();
    return;
  }
  leftPressed_ = true;
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !leftPressed_) {
    event->ignore();
    return;
  }
  leftPressed_ = false;
  if (hits(event->position().toPoint())) listener_.peerClicked();
}

MemoryPictureWidget::MemoryPictureWidget(QWidget& parent, forms::PeerListener& listener)
    : PictureWidget(parent, listener) {}

const QImage& MemoryPictureWidget::backingImage() {
  // The surface reallocates its pixels when the box changes size: wrap them afresh then.
  const graphics::Bitmap& image = surface_.bitmap();
  if (image.width() == 0 || image.height() == 0) {
    imageView_ = QImage();
  } else if (imageView_.constBits() != reinterpret_cast<const uchar*>(image.row(0)) ||
             imageView_.width() != image.width() || imageView_.height() != image.height()) {
    imageView_ = QImage(reinterpret_cast<const uchar*>(image.row(0)), image.width(), image.height(),
                        static_cast<qsizetype>(image.stride() * sizeof(graphics::Pixel)),
                        QImage::Format_RGB32);
  }
  return imageView_;
}

void MemoryPictureWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QImage& image = backingImage();
  // The backing image has the box's size, so the background shows only while that catches up.
  // The live view repaints many times a second: paint each pixel once.
  if (!image.rect().contains(rect())) painter.fillRect(rect(), backColor());
  if (!image.isNull()) painter.drawImage(0, 0, image);
  if (!picture().isNull()) painter.drawImage(0, 0, picture());
}

}  // namespace qtplatform
