#pragma once

#include "platform/qt/picture_widget.h"
#include "platform/qt/widget_peer.h"

namespace qtplatform {

class QtPicturePeer final : public QtWidgetPeer<forms::PicturePeer, PictureWidget> {
 public:
  QtPicturePeer(QWidget& parent, forms::PeerListener& listener);
  void setBackColor(graphics::Pixel color) override;
  void setPicture(std::optional<forms::ImageFile> imageFile) override;
  void setImage(const graphics::Bitmap* image) override { widget().setImage(image); }
  // Queued, not painted inside the caller: repaints of one event-loop pass merge into one.
  void imageChanged() override { widget().update(); }
  void setRegion(const std::optional<graphics::EllipseRegion>& region, bool redraw) override;
};

}  // namespace qtplatform
