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
  update();
}

void PictureWidget::setImage(const graphics::Bitmap* image) {
  image_ = image;
  update();
}

const QImage& PictureWidget::backingImage() {
  // The runtime reallocates the pixels when the box changes size: wrap them afresh then.
  if (image_ == nullptr || image_->width() == 0 || image_->height() == 0) {
    imageView_ = QImage();
  } else if (imageView_.constBits() != reinterpret_cast<const uchar*>(image_->row(0)) ||
             imageView_.width() != image_->width() || imageView_.height() != image_->height()) {
    imageView_ = QImage(
        reinterpret_cast<const uchar*>(image_->row(0)), image_->width(), image_->height(),
        static_cast<qsizetype>(image_->stride() * sizeof(graphics::Pixel)), QImage::Format_RGB32);
  }
  return imageView_;
}

void PictureWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QImage& image = backingImage();
  // The backing image has the box's size, so the background shows only while that catches up.
  // The live view repaints many times a second: paint each pixel once.
  if (!image.rect().contains(rect())) painter.fillRect(rect(), backColor_);
  if (!image.isNull()) painter.drawImage(0, 0, image);
  if (!picture_.isNull()) painter.drawImage(0, 0, picture_);
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

}  // namespace qtplatform
