#pragma once

#include "platform/qt/picture_widget.h"
#include "platform/qt/widget_peer.h"

namespace qtplatform {

class QtPicturePeer final : public QtWidgetPeer<forms::PicturePeer, PictureWidget> {
 public:
  // Takes the new child widget that shows the box: in memory or on the X server.
  QtPicturePeer(PictureWidget* widget, forms::PeerListener& listener);
  void setBackColor(graphics::Pixel color) override;
  void setPicture(std::optional<forms::ImageFile> imageFile) override;
  graphics::Surface& surface() override { return widget().surface(); }
  // Queued, not painted inside the caller: repaints of one event-loop pass merge into one.
  void imageChanged() override { widget().imageChanged(); }
  void setRegion(const std::optional<graphics::EllipseRegion>& region, bool redraw) override;
};

}  // namespace qtplatform
