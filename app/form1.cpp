#include "app/form1.h"

#include "help/help_captions.h"
#include "modes/mode_captions.h"
#include "platform/forms/runtime.h"
#include "resources/resources.h"

namespace {

constexpr const char* kWindowCaption = "Orvex画面キャプチャー";
constexpr const char* kDesignFontFamily = "ＭＳ Ｐゴシック";
constexpr graphics::Pixel kHelpBackground = graphics::rgb(255, 255, 192);
constexpr graphics::Pixel kAboutCardBackground = graphics::rgb(255, 255, 192);
constexpr graphics::Pixel kIconBoxBackground = graphics::rgb(255, 255, 128);

forms::FontSpec designFont() {
  forms::FontSpec font;
  font.family = kDesignFontFamily;
  return font;
}

}  // namespace

Form1::Form1(forms::Runtime& runtime)
    : forms::Form(runtime),
      Command4(*this, "Command4"),
      HScroll1(*this, "HScroll1"),
      Command3(*this, "Command3"),
      Command2(*this, "Command2"),
      Timer1(runtime),
      Picture1(*this, "Picture1", forms::ScaleUnit::Pixels),
      Timer2(runtime),
      Picture3(Picture1, "Picture3", forms::ScaleUnit::Twips),
      Text1(Picture1, "Text1"),
      Picture2(Picture1, "Picture2", forms::ScaleUnit::Twips),
      Command1(*this, "Command1"),
      Label1(*this, "Label1"),
      desktop_(runtime.desktop()),
      Clipboard(desktop_.clipboard()),
      Screen(desktop_.screen()) {
  designControls();
  connectHandlers();
}

// The window as it is designed, in twips, before any handler runs.
void Form1::designControls() {
  setCaption(kWindowCaption);
  setIcon(resources::cameraIcon());
  // The window's design client area is 4212 × 3660 twips; its frame comes from the desktop.
  const forms::Margins frame = windowPeer().frameMargins();
  setWidth(4212 + static_cast<float>(frame.left + frame.right) * Screen.TwipsPerPixelX());
  setHeight(3660 + static_cast<float>(frame.top + frame.bottom) * Screen.TwipsPerPixelY());

  const forms::FontSpec font = designFont();
  // Picture1's children are placed in its own scale, pixels: their twips divided down.
  const float pixelsX = 1.0F / Screen.TwipsPerPixelX();
  const float pixelsY = 1.0F / Screen.TwipsPerPixelY();

  Picture1.place(0, 0, 4212, 2892);
  Picture1.setTabIndex(0);
  Picture1.setToolTipText("クリックで，バージョン情報です。");

  HScroll1.place(120, 3360, 3972, 252);
  HScroll1.setRange(1, 40, 1, 5);
  HScroll1.setValue(10);
  HScroll1.setTabIndex(1);

  struct ButtonDesign {
    forms::CommandButton& button;
    float left;
    float width;
    const char* caption;
    const char* toolTip;
    int tabIndex;
  };
  for (const ButtonDesign& design : {
           ButtonDesign{Command1, 840, 1335, mode_captions::kVideoIdle, "連続撮影をします。", 2},
           ButtonDesign{Command2, 2160, 1332, mode_captions::kCameraIdle,
                        "指定した範囲を写します。", 3},
           ButtonDesign{Command3, 3480, 612, help::kHelpCaption, "ご使用方法です。", 4},
           ButtonDesign{Command4, 480, 372, "Paint", "ペイントへ画像を送ります", 9},
       }) {
    design.button.place(design.left, 3000, design.width, 372);
    design.button.setCaption(design.caption);
    design.button.setToolTipText(design.toolTip);
    design.button.setFont(font);
    design.button.setMouseIcon(resources::handPointer());
    design.button.setTabIndex(design.tabIndex);
  }

  Text1.place(0, 0, 4212 * pixelsX, 2892 * pixelsY);
  Text1.setVisible(false);
  Text1.setMultiLine(true, true);
  Text1.setBackColor(kHelpBackground);
  Text1.setFont(font);
  Text1.setTabIndex(5);

  Label1.place(0, 3000, 732, 372);
  Label1.setCaption("Label1");
  Label1.setToolTipText("画面の倍率です");
  Label1.setFont(font);
  Label1.setTabIndex(6);

  Picture2.place(0, 0, 4212 * pixelsX, 2892 * pixelsY);
  Picture2.setVisible(false);
  Picture2.setBackColor(kAboutCardBackground);
  Picture2.setPicture(resources::aboutCard());
  Picture2.setToolTipText("クリックで消えます。");
  Picture2.setTabIndex(7);

  Picture3.place(0, 0, 408 * pixelsX, 408 * pixelsY);
  Picture3.setVisible(false);
  Picture3.setBackColor(kIconBoxBackground);
  Picture3.setPicture(resources::cameraIcon());
  Picture3.setToolTipText(
      "｢このプログラムを利用して生じたどのような問題に対しても、開発者はいかなる責任も負いません｣"
      "｡");
  Picture3.setTabIndex(8);

  Timer1.setInterval(0);
  Timer1.setEnabled(false);
  Timer2.setInterval(100);
  Timer2.setEnabled(false);
}

void Form1::connectHandlers() {
  Load = [this] { Form_Load(); };
  Resize = [this] { Form_Resize(); };
  KeyUp = [this](std::int16_t& keyCode, std::int16_t shift) { Form_KeyUp(keyCode, shift); };
  MouseMove = [this](const forms::MouseArgs& args) { Form_MouseMove(args); };
  Picture1.Click = [this] { Picture1_Click(); };
  Picture2.Click = [this] { Picture2_Click(); };
  Picture3.Click = [this] { Picture3_Click(); };
  Picture1.MouseMove = [this](const forms::MouseArgs& args) { Picture1_MouseMove(args); };
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
  Command4.Click = [this] { Command4_Click(); };
  Command1.MouseMove = [this](const forms::MouseArgs& args) { Command1_MouseMove(args); };
  Command2.MouseMove = [this](const forms::MouseArgs& args) { Command2_MouseMove(args); };
  Command3.MouseMove = [this](const forms::MouseArgs& args) { Command3_MouseMove(args); };
  Label1.MouseMove = [this](const forms::MouseArgs& args) { Label1_MouseMove(args); };
  HScroll1.Change = [this] { HScroll1_Change(); };
  Text1.Change = [this] { Text1_Change(); };
  Timer1.Tick = [this] { Timer1_Timer(); };
}
