#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/forms/peers.h"
#include "platform/win32/ui/error_reporter.h"
#include "platform/win32/ui/fonts.h"
#include "platform/win32/ui/status_tip.h"

namespace win32 {

// Makes the form runtime's peers out of native Win32 controls, on the thread that runs the
// message loop (win32::runMessageLoop).
class Win32Toolkit final : public forms::Toolkit {
 public:
  Win32Toolkit();

  std::unique_ptr<forms::WindowPeer> createWindow(forms::PeerListener& listener) override;
  std::unique_ptr<forms::ButtonPeer> createButton(forms::ContainerPeer& parent,
                                                  forms::PeerListener& listener) override;
  std::unique_ptr<forms::LabelPeer> createLabel(forms::ContainerPeer& parent,
                                                forms::PeerListener& listener) override;
  std::unique_ptr<forms::ScrollBarPeer> createScrollBar(forms::ContainerPeer& parent,
                                                        forms::PeerListener& listener) override;
  std::unique_ptr<forms::TextBoxPeer> createTextBox(forms::ContainerPeer& parent,
                                                    forms::PeerListener& listener) override;
  std::unique_ptr<forms::PicturePeer> createPicture(forms::ContainerPeer& parent,
                                                    forms::PeerListener& listener) override;
  std::unique_ptr<forms::TimerPeer> createTimer(forms::PeerListener& listener) override;

  graphics::Pixel buttonFaceColor() const override;
  void reportError(const forms::RuntimeError& error) override;
  void showStatus(const std::string& status) override;

  Fonts& fonts() { return fonts_; }

 private:
  Fonts fonts_;
  ErrorReporter errors_;
  HWND window_ = nullptr;              // the program's window, for the error messages' title
  std::unique_ptr<StatusTip> status_;  // made at the first note, over the window
};

}  // namespace win32
