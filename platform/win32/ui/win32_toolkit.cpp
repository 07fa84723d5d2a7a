#include "platform/win32/ui/win32_toolkit.h"

#include <windows.h>
// After windows.h, on whose types they build.
#include <commctrl.h>

#include "platform/win32/ui/button_peer.h"
#include "platform/win32/ui/label_peer.h"
#include "platform/win32/ui/picture_peer.h"
#include "platform/win32/ui/scroll_bar_peer.h"
#include "platform/win32/ui/text_box_peer.h"
#include "platform/win32/ui/timer_peer.h"
#include "platform/win32/ui/window_peer.h"

namespace win32 {
namespace {

// Tooltips are common controls; the standard controls need nothing.
bool initCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES;
  return InitCommonControlsEx(&controls) != FALSE;
}

}  // namespace

Win32Toolkit::Win32Toolkit() { initCommonControls(); }

std::unique_ptr<forms::WindowPeer> Win32Toolkit::createWindow(forms::PeerListener& listener) {
  auto window = std::make_unique<Win32WindowPeer>(listener, fonts_);
  window_ = window->containerWindow();
  return window;
}

std::unique_ptr<forms::ButtonPeer> Win32Toolkit::createButton(forms::ContainerPeer& parent,
                                                              forms::PeerListener& listener) {
  return std::make_unique<ButtonPeer>(nativeContainerOf(parent), listener);
}

std::unique_ptr<forms::LabelPeer> Win32Toolkit::createLabel(forms::ContainerPeer& parent,
                                                            forms::PeerListener& listener) {
  return std::make_unique<LabelPeer>(nativeContainerOf(parent), listener);
}

std::unique_ptr<forms::ScrollBarPeer> Win32Toolkit::createScrollBar(forms::ContainerPeer& parent,
                                                                    forms::PeerListener& listener) {
  return std::make_unique<ScrollBarPeer>(nativeContainerOf(parent), listener);
}

std::unique_ptr<forms::TextBoxPeer> Win32Toolkit::createTextBox(forms::ContainerPeer& parent,
                                                                forms::PeerListener& listener) {
  return std::make_unique<TextBoxPeer>(nativeContainerOf(parent), listener);
}

std::unique_ptr<forms::PicturePeer> Win32Toolkit::createPicture(forms::ContainerPeer& parent,
                                                                forms::PeerListener& listener) {
  return std::make_unique<PicturePeer>(nativeContainerOf(parent), listener);
}

std::unique_ptr<forms::TimerPeer> Win32Toolkit::createTimer(forms::PeerListener& listener) {
  return std::make_unique<TimerPeer>(listener);
}

graphics::Pixel Win32Toolkit::buttonFaceColor() const {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  return graphics::rgb(GetRValue(face), GetGValue(face), GetBValue(face));
}

void Win32Toolkit::reportError(const forms::RuntimeError& error) { errors_.report(error, window_); }

void Win32Toolkit::showStatus(const std::string& status) {
  if (window_ == nullptr) return;  // nothing to show it over: no handler has run yet
  if (!status_) status_ = std::make_unique<StatusTip>(window_, fonts_);
  status_->show(status);
}

}  // namespace win32
