#include "tests/behaviour/program_fixture.h"
#include "tests/behaviour/view_checks.h"

namespace {

class LiveView : public ProgramTest {
 protected:
  void SetUp() override { start(15); }

  const graphics::Bitmap& view() { return window().Picture1.Image(); }
  graphics::Pixel background() { return window().Picture1.BackColor(); }
  bool timerOn() { return window().Timer1.Enabled(); }
};

TEST_F(LiveView, TicksActOnlyInVideoMode) {
  graphics::Bitmap before = view();
  pointAt(100, 100);
  tick();
  EXPECT_EQ(view(), before) << "camera mode: the tick leaves the view alone";
  click(window().Command2);
  tick();
  EXPECT_EQ(view(), before) << "no mode: likewise";
  EXPECT_EQ(desktop.screenReads(), 0);
}

TEST_F(LiveView, FollowsThePointerAndMagnifiesExactly) {
  click(window().Command1);
  pointAt(100, 120);
  tick();
  EXPECT_TRUE(showsScreen(view(), desktop.screenBitmap(), 100, 120, 1, 1, view().width(),
                          view().height(), background()));
  pointAt(333, 222);
  tick();
  EXPECT_TRUE(showsScreen(view(), desktop.screenBitmap(), 333, 222, 1, 1, view().width(),
                          view().height(), background()));

  moveLensBarTo(40);
  tick();
  EXPECT_TRUE(showsScreen(view(), desktop.screenBitmap(), 333, 222, 40, 10, view().width(),
                          view().height(), background()));
  moveLensBarTo(1);
  tick();
  EXPECT_TRUE(showsScreen(view(), desktop.screenBitmap(), 333, 222, 1, 10, view().width(),
                          view().height(), background()));
  EXPECT_EQ(desktop.outstandingScreenDcs(), 0);
}

TEST_F(LiveView, WithoutAKnownPointerATickKeepsTheLastPicture) {
  click(window().Command1);
  pointAt(100, 120);
  tick();
  const graphics::Bitmap shown = view();
  desktop.setCursorFails(true);
  tick();
  EXPECT_EQ(view(), shown);
  EXPECT_EQ(toolkit.statuses().size(), 1U);
  EXPECT_EQ(errorsReported(), 0);
}

TEST_F(LiveView, NearTheScreensEdgeThePartBeyondIsBlack) {
  click(window().Command1);
  const graphics::Bitmap& screen = desktop.screenBitmap();
  pointAt(screen.width() - 10, screen.height() - 5);
  tick();
  EXPECT_TRUE(showsScreen(view(), screen, screen.width() - 10, screen.height() - 5, 1, 1,
                          view().width(), view().height(), background()));
  EXPECT_LE(desktop.lastReadArea().width, 10);
}

TEST_F(LiveView, AResizedViewTakesEffectAtTheNextTick) {
  click(window().Command1);
  resizeClient(500, 300);
  window().PicWidth = 0;
  pointAt(10, 10);
  tick();
  EXPECT_EQ(window().PicWidth, 500);
  EXPECT_EQ(window().PicHeight, 235);
  EXPECT_EQ(view().width(), 500);
  EXPECT_TRUE(showsScreen(view(), desktop.screenBitmap(), 10, 10, 1, 1, 500, 235, background()));
}

TEST_F(LiveView, EveryTickAsksForARepaintAndAllocatesNoNewImage) {
  click(window().Command1);
  tick();
  const graphics::Pixel* pixels = view().row(0);
  const int repaints = toolkit.picture(window().Picture1).repaintRequests();
  for (int i = 0; i < 5; ++i) tick();
  EXPECT_EQ(view().row(0), pixels);
  EXPECT_GE(toolkit.picture(window().Picture1).repaintRequests(), repaints + 5);
}

TEST_F(LiveView, TheHoverTable) {
  struct Hover {
    forms::Control* over;  // nullptr: the window's background
    std::string mode;
    bool before;
    bool after;
  };
  const Hover table[] = {
      {&window().Command1, kVideoRunning, true, false},
      {&window().Command2, kVideoRunning, true, false},
      {&window().Command3, kCameraRunning, true, false},
      {nullptr, kCameraRunning, false, true},
      {&window().Label1, kIdle, false, true},
      {&window().Picture1, kVideoRunning, false, true},
      {&window().Picture1, kCameraRunning, false, false},
      {&window().Picture1, kIdle, false, false},
      {&window().Command4, kVideoRunning, true, true},
      {&window().Command4, kVideoRunning, false, false},
      {&window().HScroll1, kVideoRunning, true, true},
  };
  for (const Hover& hoverCase : table) {
    SCOPED_TRACE((hoverCase.over ? hoverCase.over->name() : "background") + " in " +
                 hoverCase.mode);
    if (mode() != hoverCase.mode) {
      if (hoverCase.mode == kVideoRunning) click(window().Command1);
      if (hoverCase.mode == kCameraRunning) click(window().Command2);
      if (hoverCase.mode == kIdle)
        click(mode() == kCameraRunning ? window().Command2 : window().Command1);
    }
    ASSERT_EQ(mode(), hoverCase.mode);
    window().Timer1.setEnabled(hoverCase.before);
    if (hoverCase.over) {
      hover(*hoverCase.over);
    } else {
      hoverBackground();
    }
    EXPECT_EQ(timerOn(), hoverCase.after);
  }
}

TEST_F(LiveView, AMovingPointerNeverRestartsTheInterval) {
  hoverBackground();
  const int starts = toolkit.timer(window().Timer1).starts();
  for (int i = 0; i < 20; ++i) hoverBackground();
  EXPECT_EQ(toolkit.timer(window().Timer1).starts(), starts);
  EXPECT_TRUE(toolkit.timer(window().Timer1).running());
}

TEST_F(LiveView, ButtonsFreezeThePicture) {
  click(window().Command1);
  hover(window().Picture1);
  pointAt(50, 50);
  toolkit.advance(100);
  const graphics::Bitmap frozen = view();
  hover(window().Command2);
  pointAt(400, 400);
  toolkit.advance(500);
  EXPECT_EQ(view(), frozen);
  hoverBackground();
  toolkit.advance(60);
  EXPECT_NE(view(), frozen);
}

}  // namespace
