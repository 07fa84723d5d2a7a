#include "platform/qt/qt_toolkit.h"

#include <QApplication>
#include <QPalette>
#include <QToolTip>

#include "platform/qt/button_peer.h"
#include "platform/qt/label_peer.h"
#include "platform/qt/picture_peer.h"
#include "platform/qt/scroll_bar_peer.h"
#include "platform/qt/text_box_peer.h"
#include "platform/qt/timer_peer.h"
#include "platform/qt/window_peer.h"

namespace qtplatform {
namespace {

constexpr int kStatusShownMs = 3000;
constexpr QPoint kStatusInset{8, 8};  // from the window's top-left corner

}  // namespace

std::unique_ptr<forms::WindowPeer> QtToolkit::createWindow(forms::PeerListener& listener) {
  auto window = std::make_unique<QtWindowPeer>(listener, windowSystem_);
  window_ = &window->nativeWidget();
  return window;
}

std::unique_ptr<forms::ButtonPeer> QtToolkit::createButton(forms::ContainerPeer& parent,
                                                           forms::PeerListener& listener) {
  return std::make_unique<QtButtonPeer>(nativeWidgetOf(parent), listener);
}

std::unique_ptr<forms::LabelPeer> QtToolkit::createLabel(forms::ContainerPeer& parent,
                                                         forms::PeerListener& listener) {
  return std::make_unique<QtLabelPeer>(nativeWidgetOf(parent), listener);
}

std::unique_ptr<forms::ScrollBarPeer> QtToolkit::createScrollBar(forms::ContainerPeer& parent,
                                                                 forms::PeerListener& listener) {
  return std::make_unique<QtScrollBarPeer>(nativeWidgetOf(parent), listener);
}

std::unique_ptr<forms::TextBoxPeer> QtToolkit::createTextBox(forms::ContainerPeer& parent,
                                                             forms::PeerListener& listener) {
  return std::make_unique<QtTextBoxPeer>(nativeWidgetOf(parent), listener);
}

std::unique_ptr<forms::PicturePeer> QtToolkit::createPicture(forms::ContainerPeer& parent,
                                                             forms::PeerListener& listener) {
  return std::make_unique<QtPicturePeer>(
      windowSystem_.createPictureWidget(nativeWidgetOf(parent), listener), listener);
}

std::unique_ptr<forms::TimerPeer> QtToolkit::createTimer(forms::PeerListener& listener) {
  return std::make_unique<QtTimerPeer>(listener);
}

graphics::Pixel QtToolkit::buttonFaceColor() const {
  return QApplication::palette().color(QPalette::Button).rgb() & 0x00FFFFFFU;
}

void QtToolkit::reportError(const forms::RuntimeError& error) {
  errors_.report(error, window_.data());
}

void QtToolkit::showStatus(const std::string& status) {
  QWidget* window = window_.data();
  if (window == nullptr) return;  // nothing to show it over: no handler has run yet
  QToolTip::showText(window->mapToGlobal(kStatusInset), QString::fromStdString(status), window, {},
                     kStatusShownMs);
}

}  // namespace qtplatform
