// Video mode: once the pointer has passed over the window's background, the view follows the
// pointer at 20 frames a second, magnified as the lens bar says; "3" copies it; the mode buttons
// hold it still.
#include "program_fixture.h"
#include "user_clipboard.h"

namespace {

using namespace std::chrono_literals;

class LiveView : public ProgramTest {
 protected:
  void startVideoMode() const {
    clickAt(program_->layout().videoButton.center());
    input_.movePointer(program_->layout().openStrip.center());
    waitUntilProgramHandledInput();
  }

  const QPoint here_ = onPattern(100, 200);
  const QPoint there_ = onPattern(300, 500);
};

TEST_F(LiveView, ViewShowsTheScreenAtThePointer) {
  startVideoMode();
  input_.movePointer(here_);
  EXPECT_TRUE(viewShowsPattern(here_, 1));
  input_.movePointer(there_);
  EXPECT_TRUE(viewShowsPattern(there_, 1));
}

TEST_F(LiveView, KeyThreeCopiesTheView) {
  startVideoMode();
  input_.movePointer(here_);
  ASSERT_TRUE(viewShowsPattern(here_, 1));
  strikeKey(XK_3);
  EXPECT_TRUE(clipboardShowsPattern(here_, 1));
  EXPECT_TRUE(viewShows(clipboardPicture())) << "the clipboard holds the frame shown";
}

// Magnified, the view is drawn on the server from the screen pixels it needs, the picture
// handed on from the whole view: both are the same frame.
TEST_F(LiveView, KeyThreeCopiesTheMagnifiedView) {
  startVideoMode();
  input_.movePointer(here_);
  strikeKey(XK_Shift_L);  // a key release hands the lens bar the focus
  strikeKey(XK_End);      // zoom 4
  ASSERT_TRUE(viewShowsPattern(here_, 4));
  strikeKey(XK_3);
  EXPECT_TRUE(clipboardShowsPattern(here_, 4));
  EXPECT_TRUE(viewShows(clipboardPicture()));
}

// Showing that something does not happen takes a while: ten frames' time.
TEST_F(LiveView, ModeButtonHoldsTheViewStill) {
  startVideoMode();
  input_.movePointer(here_);
  ASSERT_TRUE(viewShowsPattern(here_, 1));
  input_.movePointer(program_->layout().cameraButton.center());
  waitUntilProgramHandledInput();
  input_.movePointer(there_);
  EXPECT_FALSE(viewShowsPattern(there_, 1, 500ms));
}

}  // namespace
