#include "tests/behaviour/program_fixture.h"

namespace {

class LensBar : public ProgramTest {
 protected:
  void SetUp() override { start(15); }
};

TEST_F(LensBar, ReadsOutEveryFactorFromOneTenthToFour) {
  click(window().Command2);  // no mode: the bar only sets the zoom
  for (int value = 1; value <= 40; ++value) {
    moveLensBarTo(value);
    const std::string expected =
        value % 10 == 0 ? std::to_string(value / 10) : std::to_string(value / 10) + "." + std::to_string(value % 10);
    EXPECT_EQ(window().Label1.Caption(), expected);
    EXPECT_EQ(window().ZoomNum, value);
    EXPECT_EQ(window().ZoomDen, 10);
  }
}

TEST_F(LensBar, StopsAtItsEnds) {
  auto& bar = toolkit.scrollBar(window().HScroll1);
  moveLensBarTo(2);
  bar.pressArrow(-1);
  bar.pressArrow(-1);
  EXPECT_EQ(window().Label1.Caption(), "0.1");
  moveLensBarTo(38);
  bar.pressPage(+1);
  EXPECT_EQ(window().HScroll1.Value(), 40);
  EXPECT_EQ(window().Label1.Caption(), "4");
  bar.pressPage(-1);
  EXPECT_EQ(window().Label1.Caption(), "3.5") << "a track click moves half a time";
}

TEST_F(LensBar, RecapturesOnlyInCameraModeWithARectangleMarked) {
  moveLensBarTo(12);
  EXPECT_EQ(desktop.beeps(), 0) << "nothing is marked after a mode start";

  pointAt(0, 0);
  releaseKey('1');
  moveLensBarTo(13);
  EXPECT_EQ(desktop.beeps(), 0) << "a first corner at (0, 0) alone counts as unmarked";

  pointAt(10, 0);
  releaseKey('1');
  moveLensBarTo(14);
  EXPECT_EQ(desktop.beeps(), 1);
  moveLensBarTo(15);
  EXPECT_EQ(desktop.beeps(), 2);

  click(window().Command2);  // idle
  window().CornerX[1] = 10;
  moveLensBarTo(16);
  EXPECT_EQ(desktop.beeps(), 2);

  click(window().Command1);  // video
  window().CornerX[1] = 10;
  moveLensBarTo(17);
  EXPECT_EQ(desktop.beeps(), 2);
}

TEST_F(LensBar, SettingTheSameValueRaisesNothing) {
  window().ZoomNum = 3;
  window().HScroll1.setValue(10);
  EXPECT_EQ(window().ZoomNum, 3);
  window().HScroll1.setValue(11);
  EXPECT_EQ(window().ZoomNum, 11) << "raised inside the write";
}

}  // namespace
