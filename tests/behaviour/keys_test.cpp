#include "tests/behaviour/program_fixture.h"

namespace {

class Keys : public ProgramTest {
 protected:
  void SetUp() override { start(15); }

  void enter(const std::string& wanted) {
    if (wanted == kIdle) click(window().Command2);
    if (wanted == kVideoRunning) click(window().Command1);
    ASSERT_EQ(mode(), wanted);
  }
};

struct KeyCase {
  std::string mode;
  int digit;
  bool marks;
  bool captures;
  bool copies;
  bool handsOff;
};

TEST_F(Keys, TheKeyTableInEveryModeOnBothRowsWithAndWithoutShift) {
  const KeyCase table[] = {
      {kCameraRunning, 1, true, false, false, false},
      {kCameraRunning, 2, false, true, false, false},
      {kCameraRunning, 3, false, false, false, false},
      {kCameraRunning, 4, false, false, false, true},
      {kVideoRunning, 1, false, false, false, false},
      {kVideoRunning, 2, false, false, false, false},
      {kVideoRunning, 3, false, false, true, false},
      {kVideoRunning, 4, false, false, false, true},
      {kIdle, 1, false, false, false, false},
      {kIdle, 2, false, false, false, false},
      {kIdle, 3, false, false, false, false},
      {kIdle, 4, false, false, false, false},
  };
  for (const KeyCase& key : table) {
    for (const int row : {48, 96}) {
      for (const int shift : {0, 1}) {
        SCOPED_TRACE(key.mode + " key " + std::to_string(row + key.digit) + " shift " +
                     std::to_string(shift));
        if (mode() != kCameraRunning) click(window().Command2);
        enter(key.mode);
        toolkit.widget(window().Command3).takeFocus();
        pointAt(120 + key.digit, 140);
        window().CornerX[1] = 5;
        window().CornerX[3] = 0;
        const int beeps = desktop.beeps();
        const int starts = desktop.paintStarts();
        const int clears = desktop.clipboardClears();

        releaseKey(row + key.digit, shift);

        EXPECT_TRUE(window().HScroll1.hasFocus())
            << "every key release hands the focus to the lens bar";
        EXPECT_EQ(window().CornerX[1], key.marks ? 121 : 5);
        // The hand-off copies the live picture first, in video mode only.
        const bool copiesView =
            key.captures || key.copies || (key.handsOff && key.mode == kVideoRunning);
        EXPECT_EQ(desktop.beeps() - beeps, copiesView ? 1 : 0);
        EXPECT_EQ(desktop.clipboardClears() - clears, copiesView ? 1 : 0);
        EXPECT_EQ(desktop.paintStarts() - starts, key.handsOff ? 1 : 0);
        EXPECT_EQ(errorsReported(), 0);
        finishHandOff();
      }
    }
  }
}

TEST_F(Keys, OtherKeysOnlyMoveTheFocus) {
  for (const int code : {35, 40, 53, 65, 101, 13}) {
    toolkit.widget(window().Command2).takeFocus();
    releaseKey(code);
    EXPECT_TRUE(window().HScroll1.hasFocus());
  }
  EXPECT_EQ(window().CornerX[1], 0);
  EXPECT_EQ(desktop.beeps(), 0);
}

TEST_F(Keys, ThreeInVideoModeCopiesExactlyTheView) {
  click(window().Command1);
  pointAt(40, 50);
  tick();
  releaseKey('3');
  ASSERT_TRUE(desktop.clipboardPicture().has_value());
  EXPECT_EQ(*desktop.clipboardPicture(), window().Picture1.Image());
  EXPECT_EQ(desktop.beeps(), 1);
}

TEST_F(Keys, OneMovesTheFirstCornerUntilASecondIsStored) {
  pointAt(10, 20);
  releaseKey('1');
  pointAt(30, 40);
  releaseKey('1');
  EXPECT_EQ(window().CornerX[1], 30);
  EXPECT_EQ(window().CornerY[1], 40);
  EXPECT_EQ(desktop.beeps(), 0);

  pointAt(97, 76);
  releaseKey('2');
  EXPECT_EQ(desktop.beeps(), 1);
  pointAt(60, 70);
  releaseKey('1');
  EXPECT_EQ(desktop.beeps(), 2) << "with a second corner stored, \"1\" captures at once";
  EXPECT_EQ(window().CornerX[2], 100);
  EXPECT_EQ(window().CornerY[2], 100);
}

TEST_F(Keys, TwoBeforeAnyOneCapturesFromTheScreensCorner) {
  pointAt(47, 26);
  releaseKey('2');
  EXPECT_EQ(desktop.beeps(), 1);
  EXPECT_EQ(window().CornerX[1], 0);
  EXPECT_EQ(window().Picture1.Image().at(0, 0), desktop.screenBitmap().at(0, 0));
}

// Where the desktop cannot tell where the pointer is, no key marks or captures a made-up place:
// nothing changes but a short note, and the next key with a known pointer works as ever.
TEST_F(Keys, AnUnknownPointerMarksAndCapturesNothingAndSaysSo) {
  captureRectangle(10, 20, 107, 96);
  const graphics::Bitmap picture = window().Picture1.Image();
  const float width = window().Width();
  const int clears = desktop.clipboardClears();
  desktop.setCursorFails(true);
  for (const int key : {49, 50}) releaseKey(key);  // "1", "2"
  EXPECT_EQ(window().CornerX[1], 10);
  EXPECT_EQ(window().CornerX[2], 110);
  EXPECT_EQ(window().Picture1.Image(), picture);
  EXPECT_EQ(window().Width(), width);
  EXPECT_EQ(desktop.beeps(), 1);
  EXPECT_EQ(desktop.clipboardClears(), clears);
  EXPECT_EQ(errorsReported(), 0);
  EXPECT_EQ(toolkit.statuses(), std::vector<std::string>(2, fake::FakeDesktop::kCursorUnknown));

  desktop.setCursorFails(false);
  captureRectangle(30, 40, 127, 116);
  EXPECT_EQ(window().CornerX[2], 130);
  EXPECT_EQ(desktop.beeps(), 2);
}

TEST_F(Keys, ALensBarThatCannotTakeTheFocusEndsTheHandler) {
  window().HScroll1.setVisible(false);
  pointAt(300, 300);
  releaseKey('1');
  ASSERT_EQ(errorsReported(), 1);
  EXPECT_EQ(toolkit.errors().front().number(), 5);
  EXPECT_EQ(window().CornerX[1], 0) << "the rest of the handler did not run";
}

}  // namespace
