#include "platform/forms/picture_box.h"

#include <utility>

#include "platform/desktop/desktop.h"
#include "platform/forms/runtime.h"

namespace forms {

PictureBox::PictureBox(Container& container, std::string name, ScaleUnit scaleMode)
    : Control(container, std::move(name),
              [](Toolkit& toolkit, ContainerPeer& parent, PeerListener& listener) {
                return toolkit.createPicture(parent, listener);
              }),
      screen_(container.runtime().screen()),
      scaleMode_(scaleMode),
      backColor_(container.runtime().toolkit().buttonFaceColor()),
      imageSource_(surface()),
      hdc_(container.runtime().desktop().screenCopy().registerDeviceContext(*this)),
      hwnd_(container.runtime().desktop().windowRegions().registerWindow(*this)) {
  peer().setBackColor(backColor_);
}

void PictureBox::Cls() {
  surface().fill(backColor_);
  peer().imageChanged();
}

void PictureBox::setBackColor(graphics::Pixel color) {
  backColor_ = color;
  peer().setBackColor(color);
  // What was drawn goes with the old colour, as on a classic picture box.
  Cls();
}

void PictureBox::setPicture(std::optional<ImageFile> imageFile) { peer().setPicture(imageFile); }

float PictureBox::pixelsPerUnitX() const {
  if (scaleMode_ == ScaleUnit::Pixels) return 1.0F;
  return 1.0F / screen_.TwipsPerPixelX();
}

float PictureBox::pixelsPerUnitY() const {
  if (scaleMode_ == ScaleUnit::Pixels) return 1.0F;
  return 1.0F / screen_.TwipsPerPixelY();
}

void PictureBox::peerClicked() {
  raise([this] {
    if (Click) Click();
  });
}

void PictureBox::pixelSizeChanged() {
  // The backing image follows the box; what was drawn stays where it was.
  surface().resize(pixelSize(), backColor_);
  peer().imageChanged();
}

void PictureBox::targetChanged() { peer().imageChanged(); }

void PictureBox::setWindowRegion(const std::optional<graphics::EllipseRegion>& region,
                                 bool redraw) {
  region_ = region;
  peer().setRegion(region, redraw);
}

}  // namespace forms
