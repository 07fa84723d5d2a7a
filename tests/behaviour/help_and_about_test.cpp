#include "tests/behaviour/program_fixture.h"
#include "tests/behaviour/view_checks.h"

namespace {

class HelpAndAbout : public ProgramTest {
 protected:
  void SetUp() override { start(12); }
  bool cardShown() { return window().Picture2.Visible() && window().Picture3.Visible(); }
  bool cardHidden() { return !window().Picture2.Visible() && !window().Picture3.Visible(); }
};

const char* const kUsageText =
    "Ｏｒｖｅｘ画面キャプチャーのご使用方法\r\n"
    "\r\n"
    "***************「カメラ」**************\r\n"
    "\r\n"
    "１ まず写したい部分の左上にマウスカーソルを持っていき「1｣キーを押します。、\r\n"
    "２ 次に写したい部分の右下にマウスカーソルを持っていき「2｣キーを押します。\r\n"
    "すると、その部分が取りこまれ，クリップボードにもコピーされます。\r\n"
    "\r\n"
    "***************「ビデオ」**************\r\n"
    "\r\n"
    "マウスの位置を左上にする画面をリアルタイムに表示します。\r\n"
    "クリップボードにコピーしたい場合は，｢3｣キーを押してください。\r\n"
    "\r\n"
    "**********レンズバーについて************\r\n"
    "\r\n"
    "レンズバーは、矢印キーでも動かせます。\r\n"
    "0.1倍から4倍までズームすることができます。\r\n"
    "\r\n"
    "**************「Paint」ボタン*************\r\n"
    "\r\n"
    "このボタンを押すとペイントが起動され、画像が自動的に読み込まれます。\r\n"
    "｢4｣キーを押しても同様の処理をします。\r\n"
    "\r\n";

TEST_F(HelpAndAbout, HelpShowsTheUsageTextAndHidesItAgain) {
  click(window().Command3);
  EXPECT_TRUE(window().Text1.Visible());
  EXPECT_EQ(window().Command3.Caption(), "ＯＫ");
  EXPECT_EQ(window().Text1.Text(), kUsageText);
  EXPECT_EQ(toolkit.textBox(window().Text1).text(), kUsageText);
  EXPECT_TRUE(window().Command1.hasFocus())
      << "a new help text sends the focus to the video button";

  click(window().Command3);
  EXPECT_FALSE(window().Text1.Visible());
  EXPECT_EQ(window().Command3.Caption(), "ヘルプ");
  EXPECT_EQ(window().Text1.Text(), kUsageText) << "hiding keeps the text";

  click(window().Command3);
  EXPECT_TRUE(window().Text1.Visible());
  EXPECT_EQ(mode(), kCameraRunning) << "help leaves the mode alone";
}

TEST_F(HelpAndAbout, TypingIntoTheHelpMovesTheFocusAway) {
  click(window().Command3);
  toolkit.widget(window().Text1).takeFocus();
  toolkit.textBox(window().Text1).typeText(std::string(kUsageText) + "x");
  EXPECT_TRUE(window().Command1.hasFocus());
}

TEST_F(HelpAndAbout, AClickOnTheViewTogglesTheCardCutToAnEllipse) {
  clickView();
  EXPECT_TRUE(cardShown());
  const auto& card = toolkit.picture(window().Picture2);
  ASSERT_TRUE(card.region().has_value());
  EXPECT_EQ(card.region()->bounds, (graphics::Rect{10, 10, 331, 221})) << "(10, 10)–(341, 231)";
  EXPECT_TRUE(card.redrawAsked());
  EXPECT_EQ(desktop.unownedRegions(), 0U) << "the window owns the region";
  EXPECT_TRUE(allPixels(window().Picture2.Image(), graphics::rgb(255, 255, 192)));
  EXPECT_TRUE(allPixels(window().Picture3.Image(), graphics::rgb(255, 255, 128)))
      << "the icon box in its own colour, not the default grey";

  // The card's corner lies outside the ellipse: the click falls through to the view, which
  // hides the card all the same.
  toolkit.picture(window().Picture1).clickAt(2, 2);
  EXPECT_TRUE(cardHidden());
  EXPECT_TRUE(card.region().has_value()) << "the outline is kept while hidden";

  clickView();
  toolkit.picture(window().Picture2).click();
  EXPECT_TRUE(cardHidden());
  clickView();
  toolkit.picture(window().Picture3).click();
  EXPECT_TRUE(cardHidden());
}

TEST_F(HelpAndAbout, TheOutlineRoundsHalvesToEven) {
  const struct {
    float width;
    float height;
    int right;
    int bottom;
  } cases[] = {{280.8F, 192.8F, 271, 183}, {280.5F, 191.5F, 270, 182}, {281.5F, 192.5F, 272, 182}};
  for (const auto& c : cases) {
    window().Picture2.setWidth(c.width);
    window().Picture2.setHeight(c.height);
    clickView();
    ASSERT_TRUE(window().Picture2.region().has_value());
    const graphics::Rect bounds = window().Picture2.region()->bounds;
    EXPECT_EQ(bounds.left + bounds.width, c.right) << c.width;
    EXPECT_EQ(bounds.top + bounds.height, c.bottom) << c.height;
    clickView();
  }
}

TEST_F(HelpAndAbout, HelpHidesTheCardAndTheCardComesBackWithAFreshOutline) {
  clickView();
  click(window().Command3);
  EXPECT_TRUE(cardHidden());
  EXPECT_TRUE(window().Text1.Visible());
  click(window().Command3);
  window().Picture2.setWidth(300);
  clickView();
  EXPECT_TRUE(cardShown());
  EXPECT_EQ(window().Picture2.region()->bounds.width, 280);
}

class AboutCardAt96Dpi : public ProgramTest {
 protected:
  void SetUp() override { start(15); }
};

TEST_F(AboutCardAt96Dpi, TheCardIsNarrower) {
  // The card's design size of 4212 × 2892 twips is 280.8 × 192.8 pixels here.
  clickView();
  EXPECT_EQ(window().Picture2.region()->bounds, (graphics::Rect{10, 10, 261, 173}));
}

}  // namespace
