#include "tests/behaviour/program_fixture.h"

namespace {

using StartUp = ProgramTest;

TEST_F(StartUp, ComesUpInCameraModeWithTheStateReset) {
  desktop.clipboard().SetData(graphics::Bitmap(4, 4, 0xFF0000));
  start(12);

  EXPECT_EQ(window().CornerY[3], 2) << "Form_Load runs twice: once, and once more for camera mode";
  EXPECT_EQ(mode(), kCameraRunning);
  for (int slot : {1, 2, 3}) EXPECT_EQ(window().CornerX[slot], 0) << slot;
  for (int slot : {1, 2}) EXPECT_EQ(window().CornerY[slot], 0) << slot;
  EXPECT_EQ(window().ZoomNum, 1);
  EXPECT_EQ(window().ZoomDen, 1);
  EXPECT_EQ(window().HScroll1.Value(), 10);
  EXPECT_EQ(window().Label1.Caption(), "1");
  EXPECT_EQ(window().Timer1.Interval(), 50);
  EXPECT_FALSE(window().Timer1.Enabled());
  EXPECT_FALSE(desktop.clipboardPicture().has_value()) << "a picture from before start-up is gone";
  EXPECT_FLOAT_EQ(window().Width(), 4308);
  EXPECT_FLOAT_EQ(window().Height(), 4056);
  EXPECT_EQ(window().ScaleMode(), 3);
  EXPECT_TRUE(window().KeyPreview());
  EXPECT_EQ(window().PicWidth, 351);
  EXPECT_EQ(window().PicHeight, 240);
  EXPECT_EQ(errorsReported(), 0);
}

TEST_F(StartUp, ShowsTheDesignedWindow) {
  start(12);
  auto& windowPeer = toolkit.window(window());
  EXPECT_EQ(windowPeer.caption(), "Orvex画面キャプチャー");
  EXPECT_TRUE(windowPeer.shown());
  EXPECT_EQ(windowPeer.iconBytes().size(), 766U);

  // Nothing covers the view.
  EXPECT_FALSE(window().Text1.Visible());
  EXPECT_FALSE(window().Picture2.Visible());
  EXPECT_FALSE(window().Picture3.Visible());

  EXPECT_EQ(window().Command1.Caption(), "ビデオ");
  EXPECT_EQ(window().Command3.Caption(), "ヘルプ");
  EXPECT_EQ(window().Command4.Caption(), "Paint");
  EXPECT_EQ(window().Command1.ToolTipText(), "連続撮影をします。");
  EXPECT_EQ(window().Command2.ToolTipText(), "指定した範囲を写します。");
  EXPECT_EQ(window().Command3.ToolTipText(), "ご使用方法です。");
  EXPECT_EQ(window().Command4.ToolTipText(), "ペイントへ画像を送ります");
  EXPECT_EQ(window().Label1.ToolTipText(), "画面の倍率です");
  EXPECT_EQ(window().Picture1.ToolTipText(), "クリックで，バージョン情報です。");
  EXPECT_EQ(window().Picture2.ToolTipText(), "クリックで消えます。");
  EXPECT_EQ(window().Picture3.ToolTipText(),
            "｢このプログラムを利用して生じたどのような問題に対しても、開発者はいかなる責任も負いません｣｡");
  EXPECT_TRUE(window().HScroll1.ToolTipText().empty());

  // The hand pointer over the four buttons only.
  for (forms::Control* button : buttons()) {
    EXPECT_EQ(toolkit.widget(*button).pointerBytes().size(), 326U) << button->name();
    EXPECT_EQ(toolkit.widget(*button).font().family, "ＭＳ Ｐゴシック");
  }
  EXPECT_TRUE(toolkit.widget(window().HScroll1).pointerBytes().empty());
  EXPECT_TRUE(toolkit.widget(window().Label1).pointerBytes().empty());
  EXPECT_TRUE(toolkit.widget(window().Picture1).pointerBytes().empty());

  // The lens bar spans 0.1 to 4 times, one tenth per arrow step, a half per track click.
  EXPECT_EQ(window().HScroll1.Min(), 1);
  EXPECT_EQ(window().HScroll1.Max(), 40);
  EXPECT_EQ(window().HScroll1.SmallChange(), 1);
  EXPECT_EQ(window().HScroll1.LargeChange(), 5);

  // The about card and the icon box keep their design sizes, in pixels.
  EXPECT_FLOAT_EQ(window().Picture2.Width(), 351);
  EXPECT_FLOAT_EQ(window().Picture2.Height(), 241);
  EXPECT_FLOAT_EQ(window().Picture3.Width(), 34);
  EXPECT_EQ(toolkit.picture(window().Picture2).pictureBytes().size(), 254550U);
}

TEST_F(StartUp, TabVisitsTheLensBarAndTheButtonsInOrder) {
  start(12);
  std::vector<std::string> order;
  for (const forms::WidgetPeer* peer : toolkit.window(window()).tabOrder()) {
    std::vector<forms::Control*> focusable = buttons();
    focusable.insert(focusable.end(), {&window().Picture1, &window().HScroll1, &window().Text1,
                                       &window().Picture2, &window().Picture3});
    for (forms::Control* control : focusable) {
      if (&control->widgetPeer() == peer) order.push_back(control->name());
    }
  }
  EXPECT_EQ(order, (std::vector<std::string>{"Picture1", "HScroll1", "Command1", "Command2", "Command3",
                                             "Text1", "Picture2", "Picture3", "Command4"}));
}

TEST_F(StartUp, ButtonsLieAboveTheReadOutAndTheIconBoxAboveTheCard) {
  start(12);
  EXPECT_LT(toolkit.widget(window().Command4).stackingIndex(), toolkit.widget(window().Label1).stackingIndex());
  EXPECT_LT(toolkit.widget(window().Picture3).stackingIndex(), toolkit.widget(window().Picture2).stackingIndex());
}

}  // namespace
