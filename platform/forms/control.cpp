#include "platform/forms/control.h"

#include <cmath>
#include <utility>

#include "platform/forms/form.h"
#include "platform/forms/numeric.h"
#include "platform/forms/runtime.h"
#include "platform/forms/runtime_error.h"

namespace forms {
namespace {

int wholePixels(float pixels) { return roundToInt32(pixels); }

float checkedExtent(float value) {
  if (std::isnan(value)) throw RuntimeError::floatingPointFault();
  if (value < 0) throw RuntimeError::invalidPropertyValue();
  return value;
}

}  // namespace

Control::Control(Container& container, std::string name, const PeerMaker& makePeer)
    : container_(container), name_(std::move(name)) {
  widget_ = makePeer(container.runtime().toolkit(), container.containerPeer(), *this);
  container.form().registerControl(*this);
}

float Control::Left() const { return left_ / container_.pixelsPerUnitX(); }
float Control::Top() const { return top_ / container_.pixelsPerUnitY(); }
float Control::Width() const { return width_ / container_.pixelsPerUnitX(); }
float Control::Height() const { return height_ / container_.pixelsPerUnitY(); }

void Control::setLeft(float value) {
  left_ = toSingle(double{value} * container_.pixelsPerUnitX());
  updateGeometry(false);
}

void Control::setTop(float value) {
  top_ = toSingle(double{value} * container_.pixelsPerUnitY());
  updateGeometry(false);
}

void Control::setWidth(float value) {
  width_ = toSingle(double{checkedExtent(value)} * container_.pixelsPerUnitX());
  updateGeometry(true);
}

void Control::setHeight(float value) {
  height_ = toSingle(double{checkedExtent(value)} * container_.pixelsPerUnitY());
  updateGeometry(true);
}

void Control::place(float left, float top, float width, float height) {
  left_ = toSingle(double{left} * container_.pixelsPerUnitX());
  top_ = toSingle(double{top} * container_.pixelsPerUnitY());
  width_ = toSingle(double{checkedExtent(width)} * container_.pixelsPerUnitX());
  height_ = toSingle(double{checkedExtent(height)} * container_.pixelsPerUnitY());
  updateGeometry(true);
}

graphics::Size Control::pixelSize() const { return {wholePixels(width_), wholePixels(height_)}; }

void Control::updateGeometry(bool sizeChanged) {
  widget_->setGeometry(
      {wholePixels(left_), wholePixels(top_), wholePixels(width_), wholePixels(height_)});
  if (sizeChanged) pixelSizeChanged();
}

void Control::setVisible(bool visible) {
  visible_ = visible;
  widget_->setVisible(visible);
}

void Control::setToolTipText(const std::string& text) {
  toolTip_ = text;
  widget_->setToolTip(text);
}

void Control::setFont(const FontSpec& font) { widget_->setFont(font); }

void Control::setMouseIcon(std::optional<ImageFile> cursorFile) { widget_->setPointer(cursorFile); }

bool Control::showing() const { return visible_ && container_.showing(); }

void Control::SetFocus() {
  if (!canTakeFocus() || !showing() || !widget_->setFocus()) {
    throw RuntimeError::invalidProcedureCall();
  }
}

void Control::raise(const std::function<void()>& handler) { runtime().deliver(handler); }

void Control::peerMouseMoved(const MouseArgs& args) {
  raise([&] {
    if (MouseMove) MouseMove(args);
  });
}

}  // namespace forms
