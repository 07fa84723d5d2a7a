#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include "platform/forms/peers.h"

namespace qtplatform {

// A picture box on screen: its background colour, its backing image and its picture, painted
// in that order. It reports clicks of the left button, pressed and released over it.
class PictureWidget final : public QWidget {
 public:
  PictureWidget(QWidget& parent, forms::PeerListener& listener);

  void setBackColor(QColor color);
  void setPicture(QImage picture);
  // The runtime owns the image and keeps it alive as long as this widget.
  void setImage(const graphics::Bitmap* image);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const QImage& backingImage();
  bool hits(QPoint position) const;

  forms::PeerListener& listener_;
  QColor backColor_;
  QImage picture_;
  const graphics::Bitmap* image_ = nullptr;
  QImage imageView_;  // image_'s pixels, not copied
  bool leftPressed_ = false;
};

}  // namespace qtplatform
