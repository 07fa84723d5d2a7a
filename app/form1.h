#pragma once

#include <array>
#include <cstdint>

#include "platform/desktop/desktop.h"
#include "platform/forms/command_button.h"
#include "platform/forms/form.h"
#include "platform/forms/hscrollbar.h"
#include "platform/forms/label.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"

// The one window of the program: its twelve controls, the capture state every handler shares,
// and the handlers. The handlers' bodies live with the subsystem they belong to: app/ (start-up,
// layout, about card), capture/ (keys, still capture, live view), modes/ (mode buttons, lens
// bar, paint hand-off, hover), help/ (the usage text).
class Form1 final : public forms::Form {
 public:
  explicit Form1(forms::Runtime& runtime);

  // The controls, in the order they are made; a control made earlier lies above a later one.
  forms::CommandButton Command4;
  forms::HScrollBar HScroll1;
  forms::CommandButton Command3;
  forms::CommandButton Command2;
  forms::Timer Timer1;
  forms::PictureBox Picture1;
  forms::Timer Timer2;
  forms::PictureBox Picture3;
  forms::TextBox Text1;
  forms::PictureBox Picture2;
  forms::CommandButton Command1;
  forms::Label Label1;

  // The capture state. PicWidth/PicHeight: the view's extents used by every screen copy.
  // CornerX/CornerY slots 1 and 2: the two corners in screen pixels; CornerX(3): a second
  // corner is stored; CornerY(3): how often Form_Load has run. The zoom is ZoomNum / ZoomDen.
  std::int32_t PicWidth = 0;
  std::int32_t PicHeight = 0;
  std::array<std::int16_t, 5> CornerX{};
  std::array<std::int16_t, 5> CornerY{};
  std::int16_t ZoomNum = 0;
  std::int16_t ZoomDen = 0;

  // Start-up and layout (app/).
  void Form_Load();
  void Form_Resize();
  void Picture1_Click();
  void Picture2_Click();
  void Picture3_Click();

  // Keys, still capture and live view (capture/).
  void Form_KeyUp(std::int16_t& KeyCode, std::int16_t Shift);
  void Timer1_Timer();

  // Modes, lens bar, paint hand-off and hover (modes/).
  void Command1_Click();
  void Command2_Click();
  void Command4_Click();
  void HScroll1_Change();
  void Command1_MouseMove(const forms::MouseArgs& args);
  void Command2_MouseMove(const forms::MouseArgs& args);
  void Command3_MouseMove(const forms::MouseArgs& args);
  void Form_MouseMove(const forms::MouseArgs& args);
  void Label1_MouseMove(const forms::MouseArgs& args);
  void Picture1_MouseMove(const forms::MouseArgs& args);

  // Help (help/).
  void Command3_Click();
  void Text1_Change();

  platform::Desktop& desktop() { return desktop_; }

 private:
  void designControls();
  void connectHandlers();
  void MarkTopLeft();
  void CaptureArea();
  void copyViewToClipboard();
  // The view's height that the layout gives it at the window's present inner height.
  double layoutViewHeight() const;
  // The view's size, in pixels, once the layout has run for a client area of `client` pixels.
  graphics::Size layoutViewSizeFor(graphics::Size client) const;

  platform::Desktop& desktop_;
  platform::Clipboard& Clipboard;
  platform::Screen& Screen;
};
