#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/forms/peers.h"
#include "platform/qt/error_reporter.h"
#include "platform/qt/window_system.h"

namespace qtplatform {

// Makes the form runtime's peers out of Qt widgets, on whatever window system Qt runs on. Needs
// a QApplication.
class QtToolkit final : public forms::Toolkit {
 public:
  // `windowSystem` must outlive the toolkit's peers.
  explicit QtToolkit(WindowSystem& windowSystem) : windowSystem_(windowSystem) {}

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
  // A tooltip over the top-left of the window.
  void showStatus(const std::string& status) override;

 private:
  WindowSystem& windowSystem_;
  QPointer<QWidget> window_;  // the program's window, for the error messages
  ErrorReporter errors_;
};

}  // namespace qtplatform
