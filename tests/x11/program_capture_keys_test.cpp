// The keys that mark the corners: the keypad's digits with Num Lock on, and "1" with Shift
// held, mark like the main row's "1" and "2".
#include "program_fixture.h"
#include "user_images.h"

namespace {

class CaptureKeys : public ProgramTest {
 protected:
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

}  // namespace
