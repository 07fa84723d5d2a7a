#include "platform/forms/form.h"

#include <algorithm>

#include "platform/desktop/screen_metrics.h"
#include "platform/forms/control.h"
#include "platform/forms/numeric.h"
#include "platform/forms/runtime.h"
#include "platform/forms/runtime_error.h"

namespace forms {

Form::Form(Runtime& runtime) : runtime_(runtime), peer_(runtime.toolkit().createWindow(*this)) {
  client_ = peer_->clientSize();
}

void Form::setCaption(const std::string& caption) {
  caption_ = caption;
  peer_->setCaption(caption);
}

void Form::setIcon(ImageFile iconFile) { peer_->setIcon(iconFile); }

float Form::Width() const {
  const Margins frame = peer_->frameMargins();
  return static_cast<float>(client_.width + frame.left + frame.right) *
         runtime_.screen().TwipsPerPixelX();
}

float Form::Height() const {
  const Margins frame = peer_->frameMargins();
  return static_cast<float>(client_.height + frame.top + frame.bottom) *
         runtime_.screen().TwipsPerPixelY();
}

int Form::clientWidthFor(float twips) const {
  const Margins frame = peer_->frameMargins();
  const int outer = roundToInt32(double{twips} / runtime_.screen().TwipsPerPixelX());
  return std::max(peer_->smallestClientSize().width, outer - frame.left - frame.right);
}

int Form::clientHeightFor(float twips) const {
  const Margins frame = peer_->frameMargins();
  const int outer = roundToInt32(double{twips} / runtime_.screen().TwipsPerPixelY());
  return std::max(peer_->smallestClientSize().height, outer - frame.top - frame.bottom);
}

void Form::setWidth(float twips) { resizeClient({clientWidthFor(twips), client_.height}); }

void Form::setHeight(float twips) { resizeClient({client_.width, clientHeightFor(twips)}); }

float Form::ScaleWidth() const { return static_cast<float>(client_.width) / pixelsPerUnitX(); }
float Form::ScaleHeight() const { return static_cast<float>(client_.height) / pixelsPerUnitY(); }

void Form::setScaleMode(int mode) {
  if (mode != static_cast<int>(ScaleUnit::Twips) && mode != static_cast<int>(ScaleUnit::Pixels)) {
    throw RuntimeError::invalidPropertyValue();
  }
  scaleMode_ = static_cast<ScaleUnit>(mode);
}

int Form::WindowState() const {
  if (peer_->minimized()) return vbMinimized;
  if (peer_->maximized()) return vbMaximized;
  return 0;
}

float Form::pixelsPerUnitX() const {
  return scaleMode_ == ScaleUnit::Pixels ? 1.0F : 1.0F / runtime_.screen().TwipsPerPixelX();
}

float Form::pixelsPerUnitY() const {
  return scaleMode_ == ScaleUnit::Pixels ? 1.0F : 1.0F / runtime_.screen().TwipsPerPixelY();
}

bool Form::showing() const { return peer_->shown() && !peer_->minimized(); }

void Form::registerControl(Control& control) { controls_.push_back(&control); }

void Form::Start() {
  raise(Load);
  Show();
}

void Form::Show() {
  std::vector<Control*> order;
  std::copy_if(controls_.begin(), controls_.end(), std::back_inserter(order),
               [](const Control* control) { return control->canTakeFocus(); });
  std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
    return a->TabIndex() < b->TabIndex();
  });
  std::vector<WidgetPeer*> peers;
  peers.reserve(order.size());
  for (Control* control : order) peers.push_back(&control->widgetPeer());
  peer_->setTabOrder(peers);
  peer_->show();
  // Showing lays the window out once more, at the size it really got.
  client_ = peer_->clientSize();
  raise(Resize);
}

void Form::resizeClient(graphics::Size client) {
  peer_->resizeClient(client);
  clientSizeChanged(peer_->clientSize());
}

void Form::clientSizeChanged(graphics::Size client) {
  if (client == client_) return;
  client_ = client;
  raise(Resize);
}

void Form::raise(const std::function<void()>& handler) { runtime_.deliver(handler); }

void Form::peerKeyReleased(int keyCode, int shift) {
  if (!keyPreview_) return;
  raise([&] {
    std::int16_t code = toInt16(keyCode);
    if (KeyUp) KeyUp(code, toInt16(shift));
  });
}

void Form::peerMouseMoved(const MouseArgs& args) {
  raise([&] {
    if (MouseMove) MouseMove(args);
  });
}

void Form::peerResized(graphics::Size client) { clientSizeChanged(client); }

void Form::peerWindowStateChanged() {
  client_ = peer_->clientSize();
  raise(Resize);
}

}  // namespace forms
