#include <cmath>
#include <utility>

#include "tests/behaviour/program_fixture.h"
#include "tests/behaviour/view_checks.h"

namespace {

class StillCapture : public ProgramTest {
 protected:
  void SetUp() override { start(15); }

  const graphics::Bitmap& view() { return window().Picture1.Image(); }
  graphics::Pixel background() { return window().Picture1.BackColor(); }
  // The window's outer height in pixels that the sizing formula asks for.
  static int outerPixels(double twips) { return static_cast<int>(std::nearbyint(twips / 15)); }
  float overhead() { return window().Height() - 15 * window().Picture1.Height(); }
};

TEST_F(StillCapture, CapturesTheMarkedRectangleAtZoomOne) {
  const float before = overhead();
  captureRectangle(100, 200, 297, 376);

  EXPECT_EQ(window().CornerX[2], 300);
  EXPECT_EQ(window().CornerY[2], 400);
  EXPECT_EQ(window().CornerX[3], 1);
  EXPECT_FLOAT_EQ(window().Width(), 207 * 15) << "(200 × 15 − 30) + 9 × 15 twips";
  EXPECT_EQ(std::lround(window().Height() / 15), outerPixels(before + (201 * 15 - 266.4)));
  const int viewWidth = static_cast<int>(window().Picture1.Width());
  const int viewHeight = static_cast<int>(window().Picture1.Height());
  EXPECT_EQ(view().width(), viewWidth);
  EXPECT_EQ(view().height(), viewHeight);
  EXPECT_TRUE(showsScreen(view(), desktop.screenBitmap(), 100, 200, 1, 1, viewWidth, viewHeight,
                          background()));
  ASSERT_TRUE(desktop.clipboardPicture().has_value());
  EXPECT_EQ(*desktop.clipboardPicture(), view()) << "the clipboard holds exactly the view";
  EXPECT_EQ(desktop.beeps(), 1);
  EXPECT_EQ(window().PicWidth, 0);
  EXPECT_EQ(window().PicHeight, 0);
  EXPECT_EQ(window().Command1.Caption(), "ビデオ");
  EXPECT_EQ(desktop.outstandingScreenDcs(), 0);
}

TEST_F(StillCapture, TheLensBarRecapturesMagnified) {
  captureRectangle(100, 200, 297, 376);
  const float before = overhead();
  moveLensBarTo(20);

  EXPECT_FLOAT_EQ(window().Width(), 405 * 15) << "(200 × 15 − 30) × 2 + 9 × 15 twips";
  EXPECT_EQ(std::lround(window().Height() / 15), outerPixels(before + (201 * 15 - 266.4) * 2));
  const int viewWidth = view().width();
  const int viewHeight = view().height();
  EXPECT_TRUE(showsScreen(view(), desktop.screenBitmap(), 100, 200, 20, 10, viewWidth, viewHeight,
                          background()));
  EXPECT_EQ(*desktop.clipboardPicture(), view());
  EXPECT_EQ(desktop.beeps(), 2);
}

TEST_F(StillCapture, ZoomFourAndOneTenth) {
  captureRectangle(300, 300, 397, 376);
  moveLensBarTo(40);
  EXPECT_TRUE(showsScreen(view(), desktop.screenBitmap(), 300, 300, 40, 10, view().width(),
                          view().height(), background()));
  // Only the quarter of the nominal source that shows is read.
  EXPECT_LE(desktop.lastReadArea().width, (view().width() + 3) / 4 + 1);

  moveLensBarTo(1);
  EXPECT_EQ(std::lround(window().Width() / 15), std::lround(((100 * 15 - 30) * 0.1 + 135) / 15));
  EXPECT_TRUE(showsScreen(view(), desktop.screenBitmap(), 300, 300, 1, 10, view().width(),
                          view().height(), background()));
}

TEST_F(StillCapture, AnInvertedRectangleLeavesTheViewBlank) {
  const float widthBefore = window().Width();
  captureRectangle(100, 200, 90, 190);

  EXPECT_TRUE(allPixels(view(), background()));
  EXPECT_EQ(desktop.beeps(), 0) << "no beep for the inverted rectangle";
  EXPECT_FALSE(desktop.clipboardPicture().has_value());
  EXPECT_FLOAT_EQ(window().Width(), widthBefore);
  EXPECT_EQ(window().CornerX[2], 93) << "the second corner is kept for a later \"1\"";
  EXPECT_EQ(window().CornerY[2], 214);
  EXPECT_EQ(window().CornerX[3], 1);

  pointAt(20, 30);
  releaseKey('1');
  EXPECT_EQ(desktop.beeps(), 1) << "a first corner up and left of it captures at once";
  EXPECT_TRUE(showsScreen(view(), desktop.screenBitmap(), 20, 30, 1, 1, view().width(),
                          view().height(), background()));
}

TEST_F(StillCapture, AnEmptyRectangleStillRunsToTheEnd) {
  captureRectangle(100, 200, 97, 176);
  EXPECT_EQ(window().CornerX[2], 100);
  EXPECT_EQ(window().CornerY[2], 200);
  EXPECT_EQ(desktop.beeps(), 1);
  EXPECT_TRUE(desktop.clipboardPicture().has_value());
  EXPECT_EQ(window().PicWidth, 0);
  EXPECT_EQ(errorsReported(), 0);
}

TEST_F(StillCapture, ATinyCaptureCopiesWithTheTwipsExtents) {
  // A narrow, tall rectangle first, so that the next one keeps the window's width and only
  // its height shrinks below what the layout needs.
  captureRectangle(50, 60, 57, 236);
  const graphics::Size viewBefore = view().size();
  captureRectangle(50, 60, 57, 38);

  EXPECT_FALSE(window().ScaleHeight() > 65);
  EXPECT_EQ(view().size(), viewBefore) << "the layout returned early and kept the view";
  // PicWidth × PicHeight were 150 × 30 twips for the copy: 30 rows of screen, the rest blank.
  EXPECT_TRUE(showsScreen(view(), desktop.screenBitmap(), 50, 60, 1, 1, 150, 30, background()));
  EXPECT_EQ(window().PicWidth, 0);
}

TEST_F(StillCapture, TinyCapturesKeepTheWindowAndTheNextOneSizesItAfresh) {
  const float freshOverhead = overhead();
  const struct {
    const char* what;
    int lensBar;
    int cursorX;
    int cursorY;
    int arrowSteps;
  } cases[] = {{"1 × 1", 10, 98, 177, 0},
               {"no height at zoom 4", 40, 147, 176, 0},
               {"200 × 1, then an arrow key", 10, 297, 177, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    click(window().Command2);  // stop and start again: a fresh window
    click(window().Command2);
    moveLensBarTo(c.lensBar);
    captureRectangle(100, 200, c.cursorX, c.cursorY);
    for (int step = 0; step < c.arrowSteps; ++step)
      toolkit.scrollBar(window().HScroll1).pressArrow(1);
    const graphics::Size client = toolkit.window(window()).clientSize();
    EXPECT_GE(client.width, 1) << "an empty window would leave the screen for good";
    EXPECT_GE(client.height, 1);

    captureRectangle(100, 200, 297, 376);
    const double zoom = window().ZoomNum / static_cast<double>(window().ZoomDen);
    EXPECT_EQ(std::lround(window().Width() / 15), std::lround(((200 * 15 - 30) * zoom + 135) / 15));
    EXPECT_EQ(std::lround(window().Height() / 15),
              outerPixels(freshOverhead + (201 * 15 - 266.4) * zoom))
        << "sized as from a fresh start";
  }
  EXPECT_EQ(errorsReported(), 0);
}

// A screen that cannot be read (an unknown format, the server refusing): the capture reports why
// and stops before the window changes, with no blank picture on the clipboard and no beep, and
// the screen's device context is released all the same.
TEST_F(StillCapture, AFailedScreenReadChangesNothingAndIsReported) {
  const float width = window().Width();
  desktop.setScreenReadsFail(true);
  captureRectangle(100, 200, 297, 376);
  EXPECT_EQ(window().Width(), width);
  EXPECT_FALSE(desktop.clipboardPicture().has_value());
  EXPECT_EQ(desktop.beeps(), 0);
  EXPECT_EQ(desktop.outstandingScreenDcs(), 0);
  ASSERT_EQ(errorsReported(), 1);
  EXPECT_NE(toolkit.errors()[0].description().find("画面を読み取れません"), std::string::npos);
}

// The picture is the screen when "2" was released: a window manager that places the grown
// window over the rectangle (here: paints it white as the window grows) changes nothing.
TEST_F(StillCapture, ThePictureIsTheScreenBeforeTheWindowGrew) {
  const graphics::Bitmap screen = desktop.screenBitmap();
  bool windowManagerMoves = false;
  toolkit.window(window()).onProgramResize = [&](graphics::Size) {
    if (std::exchange(windowManagerMoves, false)) {
      desktop.screenBitmap().fill(graphics::rgb(255, 255, 255));
    }
  };
  for (const int zoom : {10, 40, 1}) {
    moveLensBarTo(zoom);
    pointAt(100, 200);
    releaseKey('1');
    desktop.screenBitmap() = screen;
    windowManagerMoves = true;
    pointAt(297, 376);
    releaseKey('2');
    EXPECT_TRUE(showsScreen(view(), screen, 100, 200, zoom, 10, view().width(), view().height(),
                            background()))
        << "zoom " << zoom;
  }
}

// Where the window system keeps the window wider than a tiny capture asks for (Windows'
// smallest window), the whole view, the part beyond the rectangle too, is the screen before.
TEST_F(StillCapture, ThePictureIsTheScreenBeforeAlsoWhereTheSmallestWindowIsWider) {
  toolkit.window(window()).setSmallestClientSize({150, 1});
  const graphics::Bitmap screen = desktop.screenBitmap();
  toolkit.window(window()).onProgramResize = [&](graphics::Size) {
    desktop.screenBitmap().fill(graphics::rgb(255, 255, 255));
  };
  captureRectangle(100, 200, 137, 206);  // 40×30
  ASSERT_GE(view().width(), 100);
  EXPECT_TRUE(
      showsScreen(view(), screen, 100, 200, 10, 10, view().width(), view().height(), background()));
}

TEST_F(StillCapture, SourcePixelsOffTheScreenComeOutBlack) {
  const int right = desktop.screenBitmap().width();
  captureRectangle(right - 50, 100, right + 47, 176);
  EXPECT_TRUE(showsScreen(view(), desktop.screenBitmap(), right - 50, 100, 1, 1, view().width(),
                          view().height(), background()));
  EXPECT_EQ(view().at(60, 10), graphics::kBlack);
}

}  // namespace
