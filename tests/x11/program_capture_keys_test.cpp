// The keys that mark the corners: the keypad's digits with Num Lock on, "1" with Shift held,
// and the main row's digit keys whatever the layout prints on them, mark like "1" and "2".
#include <csignal>

#include "program_fixture.h"
#include "user_images.h"

namespace {

class CaptureKeys : public ProgramTest {
 protected:
  void TearDown() override {
    if (layoutsChanged_) input_.setLayouts(kDisplaysLayout);
    ProgramTest::TearDown();
  }

  void setLayouts(const std::string& layouts) {
    layoutsChanged_ = true;
    input_.setLayouts(layouts);
  }

  static constexpr const char* kDisplaysLayout = "us";  // the virtual display's own
  bool layoutsChanged_ = false;
  const QPoint first_ = onPattern(210, 330);
  const QPoint second_ = first_ + QPoint(100, 70);
};

TEST_F(CaptureKeys, KeypadDigitsWithNumLockOnMarkLikeTheMainRow) {
  input_.setNumLock(true);
  ASSERT_TRUE(input_.numLock());
  markFirstCorner(first_, XK_KP_1);
  markSecondCorner(second_, XK_KP_2);
  EXPECT_TRUE(clipboardShowsPattern(first_, 1));
}

// The keypad key of "1" is End then: nothing is marked, the capture starts at the screen's corner.
TEST_F(CaptureKeys, KeypadDigitWithNumLockOffDoesNotMark) {
  input_.setNumLock(false);
  markFirstCorner(first_, XK_KP_1);
  markSecondCorner(second_);
  const QImage picture = awaitClipboardPicture();
  ASSERT_FALSE(picture.isNull());
  EXPECT_FALSE(samePicture(picture, pattern_->magnified(first_, picture.size(), 1)));
}

TEST_F(CaptureKeys, ShiftedOneMarksLikeOne) {
  input_.movePointer(first_);
  strikeKeyHolding(XK_1, XK_Shift_L);
  markSecondCorner(second_);
  EXPECT_TRUE(clipboardShowsPattern(first_, 1));
}

// French keyboards print "&" and "é" on the keys of "1" and "2", which type the digits only
// with Shift.
TEST_F(CaptureKeys, DigitKeysOfAnAzertyKeyboardMarkUnshifted) {
  setLayouts("fr");
  markFirstCorner(first_, XK_ampersand);
  markSecondCorner(second_, XK_eacute);
  EXPECT_TRUE(clipboardShowsPattern(first_, 1));
}

TEST_F(CaptureKeys, DigitKeysMarkInTheSecondLayoutOfTwo) {
  setLayouts("fr,us");
  input_.useLayout(1);
  markFirstCorner(first_, XK_1);
  markSecondCorner(second_, XK_2);
  EXPECT_TRUE(clipboardShowsPattern(first_, 1));
}

// Keys released faster than the program takes them (here: while it is stopped) mark where the
// pointer was at each release, not where it is by the time the program gets to them.
TEST_F(CaptureKeys, QuickHandsMarkWhereEachKeyWasReleased) {
  ASSERT_EQ(kill(program_->pid(), SIGSTOP), 0);
  input_.movePointer(first_);
  input_.tapKey(XK_1);
  input_.movePointer(second_ - kSecondCornerOffset);
  input_.tapKey(XK_2);
  parkPointer();
  ASSERT_EQ(kill(program_->pid(), SIGCONT), 0);
  waitUntilProgramHandledInput();
  EXPECT_TRUE(clipboardShowsPattern(first_, 1));
}

}  // namespace
