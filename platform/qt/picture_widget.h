#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include "platform/forms/peers.h"

namespace qtplatform {

// A picture box on screen: its background colour, its backing picture (the surface, kept where
// the kind of widget shows it) and its picture file over it. It reports clicks of the left
// button, pressed and released over it.
class PictureWidget : public QWidget {
 public:
  virtual graphics::Surface& surface() = 0;
  // The backing picture changed: show it soon. Qt repaints the box, unless the picture is
  // shown some other way.
  virtual void imageChanged() { update(); }
  void setBackColor(QColor color);
  void setPicture(QImage picture);

 protected:
  PictureWidget(QWidget& parent, forms::PeerListener& listener);

  QColor backColor() const { return backColor_; }
  const QImage& picture() const { return picture_; }
  // The picture file changed.
  virtual void pictureChanged() {}

  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool hits(QPoint position) const;

  forms::PeerListener& listener_;
  QColor backColor_;
  QImage picture_;
  bool leftPressed_ = false;
};

// The backing picture in memory, painted by Qt.
class MemoryPictureWidget final : public PictureWidget {
 public:
  MemoryPictureWidget(QWidget& parent, forms::PeerListener& listener);
  graphics::Surface& surface() override { return surface_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QImage& backingImage();

  graphics::BitmapSurface surface_;
  QImage imageView_;  // the surface's pixels, not copied
};

}  // namespace qtplatform
