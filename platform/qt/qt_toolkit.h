#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/forms/peers.h"
#include "platform/qt/error_reporter.h"

namespace x11 {
class ScreenCompositor;
}

namespace qtplatform {

// Makes the form runtime's peers out of Qt widgets. Needs a QApplication. With a compositor,
// picture boxes keep their pictures on the X server and show them without Qt's painting;
// without, in memory, painted by Qt.
class QtToolkit final : public forms::Toolkit {
 public:
  // `compositor`, if any, must outlive the toolkit's peers.
  explicit QtToolkit(x11::ScreenCompositor* compositor = nullptr) : compositor_(compositor) {}

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
  x11::ScreenCompositor* compositor_;
  QPointer<QWidget> window_;  // the program's window, for the error messages
  ErrorReporter errors_;
};

}  // namespace qtplatform
