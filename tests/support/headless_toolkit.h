#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/command_button.h"
#include "platform/forms/form.h"
#include "platform/forms/hscrollbar.h"
#include "platform/forms/label.h"
#include "platform/forms/peers.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/runtime_error.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"
#include "tests/support/headless_controls.h"
#include "tests/support/headless_picture.h"
#include "tests/support/headless_timer.h"
#include "tests/support/headless_widget.h"
#include "tests/support/headless_window.h"

namespace headless {

// A toolkit without a display: its peers record everything the runtime tells them, and a test
// acts as the user through them. Time passes only through advance().
class HeadlessToolkit final : public forms::Toolkit {
 public:
  // A classic captioned, resizable frame.
  static constexpr forms::Margins kClassicFrame{4, 29, 4, 4};

  explicit HeadlessToolkit(forms::Margins windowFrame = kClassicFrame)
      : windowFrame_(windowFrame) {}

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

  // The classic desktop scheme's grey.
  graphics::Pixel buttonFaceColor() const override;
  void reportError(const forms::RuntimeError& error) override { errors_.push_back(error); }
  void showStatus(const std::string& status) override { statuses_.push_back(status); }

  // Every error the runtime reported, oldest first.
  const std::vector<forms::RuntimeError>& errors() const { return errors_; }
  // Every short note shown, oldest first.
  const std::vector<std::string>& statuses() const { return statuses_; }
  // The widget holding the keyboard focus, if any.
  const Widget* focused() const { return focus_.owner(); }

  // Lets time pass for every timer; see TimerSchedule.
  void advance(int milliseconds) { schedule_.advance(milliseconds); }
  std::int64_t now() const { return schedule_.now(); }
  // One tick of this timer now.
  static void fire(forms::Timer& formsTimer);

  // The headless peers behind the runtime's objects. A control made by another toolkit is a
  // mistake in the test and throws std::bad_cast.
  static Widget& widget(forms::Control& control);
  static Button& button(forms::CommandButton& control);
  static Label& label(forms::Label& control);
  static ScrollBar& scrollBar(forms::HScrollBar& control);
  static TextBox& textBox(forms::TextBox& control);
  static Picture& picture(forms::PictureBox& control);
  static Window& window(forms::Form& form);
  static Timer& timer(forms::Timer& formsTimer);

 private:
  WidgetLinks linksFor(forms::ContainerPeer& parent, forms::PeerListener& listener);

  forms::Margins windowFrame_;
  Focus focus_;
  TimerSchedule schedule_;
  std::vector<forms::RuntimeError> errors_;
  std::vector<std::string> statuses_;
};

}  // namespace headless
