#pragma once

#include <optional>

#include "tests/support/headless_widget.h"

namespace headless {

// A headless picture box: it records what it is told to show and holds widgets of its own.
class Picture final : public WidgetPeerOf<forms::PicturePeer>, public Container {
 public:
  explicit Picture(const WidgetLinks& links) : WidgetPeerOf(links) {}

  void setBackColor(graphics::Pixel color) override { backColor_ = color; }
  void setPicture(std::optional<forms::ImageFile> imageFile) override {
    picture_ = copyOf(imageFile);
  }
  graphics::Surface& surface() override { return surface_; }
  void imageChanged() override { ++repaintRequests_; }
  void setRegion(const std::optional<graphics::EllipseRegion>& region, bool redraw) override;

  graphics::Pixel backColor() const { return backColor_; }
  // The picture file shown at the top-left corner; empty for none.
  const Bytes& pictureBytes() const { return picture_; }
  int repaintRequests() const { return repaintRequests_; }
  // The outline it is cut to; none: its full rectangle.
  const std::optional<graphics::EllipseRegion>& region() const { return region_; }
  // Whether the last outline came with a request to redraw.
  bool redrawAsked() const { return redrawAsked_; }

  // The user clicks at (x, y) of its pixels. The click lands on the topmost visible widget
  // inside it whose shape (its outline, or else its rectangle) holds the point, else on the
  // picture itself. Returns the widget that got it.
  Widget& clickAt(int x, int y);

  Widget* widgetAt(int x, int y) override;
  bool showsChildren() const override { return onScreen(); }

 private:
  Widget* childAt(int x, int y) const;

  graphics::Pixel backColor_ = 0;
  Bytes picture_;
  graphics::BitmapSurface surface_;
  int repaintRequests_ = 0;
  std::optional<graphics::EllipseRegion> region_;
  bool redrawAsked_ = false;
};

}  // namespace headless
