#include "tests/support/headless_toolkit.h"

namespace headless {

std::unique_ptr<forms::WindowPeer> HeadlessToolkit::createWindow(forms::PeerListener& listener) {
  return std::make_unique<Window>(listener, windowFrame_);
}

std::unique_ptr<forms::ButtonPeer> HeadlessToolkit::createButton(forms::ContainerPeer& parent,
                                                                 forms::PeerListener& listener) {
  return std::make_unique<Button>(linksFor(parent, listener));
}

std::unique_ptr<forms::LabelPeer> HeadlessToolkit::createLabel(forms::ContainerPeer& parent,
                                                               forms::PeerListener& listener) {
  return std::make_unique<Label>(linksFor(parent, listener));
}

std::unique_ptr<forms::ScrollBarPeer> HeadlessToolkit::createScrollBar(
    forms::ContainerPeer& parent, forms::PeerListener& listener) {
  return std::make_unique<ScrollBar>(linksFor(parent, listener));
}

std::unique_ptr<forms::TextBoxPeer> HeadlessToolkit::createTextBox(forms::ContainerPeer& parent,
                                                                   forms::PeerListener& listener) {
  return std::make_unique<TextBox>(linksFor(parent, listener));
}

std::unique_ptr<forms::PicturePeer> HeadlessToolkit::createPicture(forms::ContainerPeer& parent,
                                                                   forms::PeerListener& listener) {
  return std::make_unique<Picture>(linksFor(parent, listener));
}

std::unique_ptr<forms::TimerPeer> HeadlessToolkit::createTimer(forms::PeerListener& listener) {
  return std::make_unique<Timer>(schedule_, listener);
}

graphics::Pixel HeadlessToolkit::buttonFaceColor() const { return graphics::rgb(0xC0, 0xC0, 0xC0); }

void HeadlessToolkit::fire(forms::Timer& formsTimer) { TimerSchedule::fire(timer(formsTimer)); }

Widget& HeadlessToolkit::widget(forms::Control& control) {
  return dynamic_cast<Widget&>(control.widgetPeer());
}

Button& HeadlessToolkit::button(forms::CommandButton& control) {
  return dynamic_cast<Button&>(control.widgetPeer());
}

Label& HeadlessToolkit::label(forms::Label& control) {
  return dynamic_cast<Label&>(control.widgetPeer());
}

ScrollBar& HeadlessToolkit::scrollBar(forms::HScrollBar& control) {
  return dynamic_cast<ScrollBar&>(control.widgetPeer());
}

TextBox& HeadlessToolkit::textBox(forms::TextBox& control) {
  return dynamic_cast<TextBox&>(control.widgetPeer());
}

Picture& HeadlessToolkit::picture(forms::PictureBox& control) {
  return dynamic_cast<Picture&>(control.widgetPeer());
}

Window& HeadlessToolkit::window(forms::Form& form) {
  return dynamic_cast<Window&>(form.windowPeer());
}

Timer& HeadlessToolkit::timer(forms::Timer& formsTimer) {
  return dynamic_cast<Timer&>(formsTimer.timerPeer());
}

WidgetLinks HeadlessToolkit::linksFor(forms::ContainerPeer& parent, forms::PeerListener& listener) {
  return {focus_, dynamic_cast<Container&>(parent), listener};
}

}  // namespace headless
