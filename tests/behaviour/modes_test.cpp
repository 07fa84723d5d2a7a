#include "tests/behaviour/program_fixture.h"

namespace {

class Modes : public ProgramTest {
 protected:
  void SetUp() override { start(12); }

  // Leaves marks in every slot a mode button may clear, and a user-resized window.
  void dirtyTheState() {
    window().CornerX[1] = 11;
    window().CornerX[2] = 22;
    window().CornerX[3] = 1;
    window().CornerY[1] = 33;
    window().CornerY[2] = 44;
    window().ZoomNum = 25;
    window().ZoomDen = 10;
    window().PicWidth = 0;
    resizeClient(500, 400);
    window().PicWidth = 0;
  }

  void enter(const std::string& wanted) {
    if (wanted == kIdle) click(window().Command2);
    if (wanted == kVideoRunning) click(window().Command1);
    ASSERT_EQ(mode(), wanted);
  }

  int loads() const { return form->CornerY[3]; }
};

struct Transition {
  std::string from;
  char button;  // '1' or '2'
  std::string to;
  bool loads;
};

TEST_F(Modes, EveryTransitionOfTheCaptionProtocol) {
  const Transition table[] = {
      {kIdle, '2', kCameraRunning, true},         {kIdle, '1', kVideoRunning, true},
      {kCameraRunning, '2', kIdle, false},        {kCameraRunning, '1', kVideoRunning, true},
      {kVideoRunning, '2', kCameraRunning, true}, {kVideoRunning, '1', kIdle, false},
  };
  for (const Transition& t : table) {
    SCOPED_TRACE(t.from + " --Command" + t.button + "--> " + t.to);
    // Every case starts from camera mode, the state after start-up.
    if (mode() != kCameraRunning) click(window().Command2);
    ASSERT_EQ(mode(), kCameraRunning);
    enter(t.from);
    dirtyTheState();
    const int loadsBefore = loads();
    const int clearsBefore = desktop.clipboardClears();

    click(t.button == '1' ? window().Command1 : window().Command2);

    EXPECT_EQ(mode(), t.to);
    EXPECT_EQ(window().CornerX[3], 0) << "both buttons clear the second-corner flag";
    if (t.button == '1') {
      for (int slot : {1, 2}) {
        EXPECT_EQ(window().CornerX[slot], 0);
        EXPECT_EQ(window().CornerY[slot], 0);
      }
      EXPECT_EQ(window().PicWidth, t.loads ? 351 : 500) << "the view's size is stored";
    } else if (!t.loads) {
      EXPECT_EQ(window().CornerX[1], 11) << "the camera button keeps the corners";
    }
    if (t.button == '2') {
      EXPECT_EQ(window().ZoomNum, 1);
      EXPECT_EQ(window().ZoomDen, 1);
    }
    EXPECT_EQ(loads(), loadsBefore + (t.loads ? 1 : 0));
    EXPECT_EQ(desktop.clipboardClears(), clearsBefore + (t.loads ? 1 : 0));
    if (t.loads) {
      EXPECT_FLOAT_EQ(window().Width(), 4308) << "a mode start snaps the window back";
      EXPECT_FLOAT_EQ(window().Height(), 4056);
      EXPECT_EQ(window().HScroll1.Value(), 10);
      EXPECT_EQ(window().Label1.Caption(), "1");
      for (int slot : {1, 2}) EXPECT_EQ(window().CornerX[slot], 0);
    } else {
      EXPECT_FLOAT_EQ(window().ScaleWidth(), 500) << "stopping a mode does not reset the window";
    }
  }
}

TEST_F(Modes, AStartWithTheBarAt10KeepsTheZoomPairAtOne) {
  click(window().Command2);  // camera off
  click(window().Command1);  // video on; the bar stood at 10
  EXPECT_EQ(window().ZoomNum, 1);
  EXPECT_EQ(window().ZoomDen, 1);
  EXPECT_EQ(window().Label1.Caption(), "1");
}

TEST_F(Modes, AStartWithTheBarElsewhereLeavesTenTenths) {
  moveLensBarTo(25);
  EXPECT_EQ(window().Label1.Caption(), "2.5");
  click(window().Command1);
  EXPECT_EQ(window().ZoomNum, 10);
  EXPECT_EQ(window().ZoomDen, 10);
  EXPECT_EQ(window().HScroll1.Value(), 10);
  EXPECT_EQ(window().Label1.Caption(), "1");
  EXPECT_EQ(desktop.beeps(), 0) << "the reset captures nothing";
}

TEST_F(Modes, ARestartClearsTheCornersBeforeItMovesTheBar) {
  captureRectangle(100, 200, 297, 376);
  moveLensBarTo(25);
  ASSERT_EQ(desktop.beeps(), 2);
  click(window().Command2);  // camera off: the corners stay marked
  click(window().Command2);  // camera on again, the bar still at 2.5
  EXPECT_EQ(desktop.beeps(), 2) << "the reset must not capture again";
  EXPECT_FALSE(desktop.clipboardPicture().has_value());
  EXPECT_FLOAT_EQ(window().Width(), 4308);
  EXPECT_FLOAT_EQ(window().Height(), 4056);
  EXPECT_EQ(window().ZoomNum, 10);
  EXPECT_EQ(window().ZoomDen, 10);
}

TEST_F(Modes, StoppingCameraModeResetsTheZoomButNotTheBar) {
  moveLensBarTo(30);
  click(window().Command2);
  EXPECT_EQ(mode(), kIdle);
  EXPECT_EQ(window().ZoomNum, 1);
  EXPECT_EQ(window().ZoomDen, 1);
  EXPECT_EQ(window().HScroll1.Value(), 30);
  EXPECT_EQ(window().Label1.Caption(), "3");
}

TEST_F(Modes, AForeignCaptionCountsAsRunning) {
  window().Command1.setCaption("?");
  click(window().Command1);
  EXPECT_EQ(window().Command1.Caption(), "ビデオ");
}

TEST_F(Modes, TheRunCounterStopsAtItsMaximum) {
  window().CornerY[3] = 32767;
  click(window().Command1);
  EXPECT_EQ(errorsReported(), 0);
  EXPECT_EQ(window().CornerY[3], 32767);
  EXPECT_EQ(mode(), kVideoRunning);
  EXPECT_EQ(window().HScroll1.Value(), 10);
  EXPECT_EQ(window().Label1.Caption(), "1");
  click(window().Command2);
  EXPECT_EQ(mode(), kCameraRunning) << "mode starts keep working";
  EXPECT_EQ(window().ZoomNum, 1);
}

}  // namespace
