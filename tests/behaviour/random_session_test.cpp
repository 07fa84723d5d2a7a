#include <random>

#include "tests/behaviour/program_fixture.h"

namespace {

class RandomSession : public ProgramTest {
 protected:
  void SetUp() override { start(15); }

  // One user event, chosen at random from everything a user can do to the window.
  void randomEvent(std::mt19937& random) {
    auto pick = [&random](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
    const graphics::Bitmap& screen = desktop.screenBitmap();
    switch (pick(12)) {
      case 0: click(*static_cast<forms::CommandButton*>(buttons()[static_cast<std::size_t>(pick(4))])); break;
      case 1: clickView(); break;
      case 2: {
        const int digits[] = {48, 49, 50, 51, 52, 96, 97, 98, 99, 100, 37, 39, 65};
        releaseKey(digits[pick(13)], pick(8));
        break;
      }
      case 3: pointAt(pick(screen.width() + 200) - 100, pick(screen.height() + 200) - 100); break;
      case 4: hover(*buttons()[static_cast<std::size_t>(pick(4))]); break;
      case 5: hover(pick(2) == 0 ? static_cast<forms::Control&>(window().Label1) : window().Picture1); break;
      case 6: hoverBackground(); break;
      case 7: moveLensBarTo(1 + pick(40)); break;
      case 8: toolkit.scrollBar(window().HScroll1).pressArrow(pick(2) == 0 ? -1 : 1); break;
      case 9: resizeClient(pick(900), pick(700)); break;
      case 10: toolkit.advance(pick(200)); break;
      default: toolkit.picture(window().Picture1).clickAt(pick(400), pick(300)); break;
    }
  }
};

TEST_F(RandomSession, TheWindowStaysConsistentThroughLongRandomUse) {
  std::mt19937 random(7);
  for (int event = 0; event < 4000; ++event) {
    randomEvent(random);
    const std::string captions = mode();
    ASSERT_TRUE(captions == kIdle || captions == kCameraRunning || captions == kVideoRunning)
        << "after event " << event << ": " << captions;
    ASSERT_GE(window().ZoomNum, 1);
    ASSERT_LE(window().ZoomNum, 40);
    ASSERT_TRUE(window().ZoomDen == 1 || window().ZoomDen == 10);
    ASSERT_EQ(desktop.outstandingScreenDcs(), 0);
    ASSERT_EQ(desktop.unownedRegions(), 0U);
  }
  EXPECT_EQ(errorsReported(), 0) << (toolkit.errors().empty() ? "" : toolkit.errors()[0].description());
}

}  // namespace
