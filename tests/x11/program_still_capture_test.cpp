// Still capture as a user does it: corners marked with "1" and "2", the lens bar moved with
// the arrow keys; the clipboard checked pixel for pixel against the pattern on the screen.
#include "program_fixture.h"
#include "user_clipboard.h"
#include "user_images.h"

namespace {

class StillCapture : public ProgramTest {
 protected:
  const QPoint first_ = onPattern(150, 120);
  const QPoint second_ = first_ + QPoint(120, 90);
};

TEST_F(StillCapture, ClipboardHoldsTheScreenFromTheFirstCornerOnAtZoomOne) {
  markRectangle(first_, second_);
  EXPECT_TRUE(clipboardShowsPattern(first_, 1));
}

TEST_F(StillCapture, ViewShowsWhatWentToTheClipboardAndFitsTheWindow) {
  markRectangle(first_, second_);
  ASSERT_TRUE(clipboardShowsPattern(first_, 1));
  const QImage picture = clipboardPicture();
  EXPECT_TRUE(viewShows(picture));
  EXPECT_EQ(picture.width(), program_->clientArea().width());
}

TEST_F(StillCapture, LensBarMagnifiesBlockForBlock) {
  markRectangle(first_, second_);
  ASSERT_TRUE(clipboardShowsPattern(first_, 1));
  // The last key release gave the lens bar the focus; Right adds a tenth each time.
  strikeKeyRepeatedly(XK_Right, kLensStepsPerZoom);
  EXPECT_TRUE(clipboardShowsPattern(first_, 2));
  EXPECT_TRUE(viewShows(clipboardPicture()));
  strikeKeyRepeatedly(XK_Right, 2 * kLensStepsPerZoom);
  EXPECT_TRUE(clipboardShowsPattern(first_, 4));
  EXPECT_TRUE(viewShows(clipboardPicture()));
}

TEST_F(StillCapture, ACaptureWithNoHeightLeavesTheWindowOnScreenAndAtWork) {
  markRectangle(first_, second_);
  strikeKeyRepeatedly(XK_Right, 3 * kLensStepsPerZoom);
  ASSERT_TRUE(clipboardShowsPattern(first_, 4));
  // At zoom 4 the sizing arithmetic asks for a window lower than its frame.
  markSecondCorner(first_ + QPoint(50, 0));
  EXPECT_TRUE(screen_.viewable(program_->window())) << "a window with no inside leaves the screen";
  markRectangle(first_, second_);
  EXPECT_TRUE(clipboardShowsPattern(first_, 4)) << "the keys still reach it";
}

}  // namespace
