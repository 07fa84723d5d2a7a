#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/desktop/desktop.h"
#include "platform/forms/container.h"
#include "platform/forms/control.h"
#include "platform/graphics/device_context.h"
#include "platform/graphics/region.h"

namespace forms {

// A picture box: a container with its own scale, an optional picture at its top-left corner,
// and a backing image of its own size, which the peer keeps where it shows it fastest. Drawing
// through hDC() lands in the backing image, Cls() clears it to the background colour (as does
// a new background colour), Image() is the whole of it, and the peer repaints from it.
class PictureBox final : public Control,
                         public Container,
                         private graphics::DeviceContext,
                         private graphics::RegionTarget {
 public:
  PictureBox(Container& container, std::string name, ScaleUnit scaleMode);

  void Cls();
  platform::Hdc hDC() const { return hdc_.handle(); }
  platform::Hwnd hWnd() const { return hwnd_.handle(); }
  // Read back from the peer's surface when it lives elsewhere: on demand, never per frame.
  const graphics::Bitmap& Image() { return surface().pixels(); }
  graphics::Pixel BackColor() const { return backColor_; }
  void setBackColor(graphics::Pixel color);
  void setPicture(std::optional<ImageFile> imageFile);
  // The outline last given through the window-region service; none: the full rectangle.
  const std::optional<graphics::EllipseRegion>& region() const { return region_; }

  std::function<void()> Click;

  // Container
  Runtime& runtime() override { return Control::runtime(); }
  Form& form() override { return Control::container().form(); }
  ContainerPeer& containerPeer() override { return peer(); }
  float pixelsPerUnitX() const override;
  float pixelsPerUnitY() const override;
  bool showing() const override { return Control::showing(); }

 private:
  PicturePeer& peer() { return static_cast<PicturePeer&>(widgetPeer()); }
  graphics::Surface& surface() { return peer().surface(); }
  void peerClicked() override;
  void pixelSizeChanged() override;
  // graphics::DeviceContext
  graphics::PixelSource* source() override { return &imageSource_; }
  graphics::Surface* target() override { return &surface(); }
  void targetChanged() override;
  // graphics::RegionTarget
  void setWindowRegion(const std::optional<graphics::EllipseRegion>& region, bool redraw) override;

  const platform::Screen& screen_;
  ScaleUnit scaleMode_;
  graphics::Pixel backColor_;
  graphics::SurfaceSource imageSource_;
  std::optional<graphics::EllipseRegion> region_;
  platform::HandleTable<graphics::DeviceContext>::Registration hdc_;
  platform::HandleTable<graphics::RegionTarget>::Registration hwnd_;
};

}  // namespace forms
