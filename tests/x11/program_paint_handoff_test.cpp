// The Paint button: the desktop's paint program (kolourpaint) opens with the captured picture
// pasted into it.
#include "program_fixture.h"
#include "user_clipboard.h"
#include "user_images.h"
#include "wait_until.h"

namespace {

constexpr const char* kPaintProgramClass = "kolourpaint";
// A pasted picture is a selection with handles over its edges: look at what lies inside them.
constexpr int kHandleMargin = 10;
constexpr int kBlock = 16;

class PaintHandOff : public ProgramTest {
 protected:
  void TearDown() override {
    // The paint program is not our child: it is ended by the pid its window names.
    if (const unsigned long window = paintWindow()) {
      endForeignProcess(static_cast<int>(screen_.pidOf(window).value_or(0)));
    }
    ProgramTest::TearDown();
  }

  unsigned long paintWindow() const {
    for (const unsigned long window : screen_.managedWindows()) {
      if (screen_.classOf(window) == kPaintProgramClass) return window;
    }
    return 0;
  }

  // Where `picture` shows inside the paint program's window, found by a block near its top
  // left and then checked whole; a null point when it does not show there.
  std::optional<QPoint> pastedAt(const QImage& picture) const {
    const unsigned long window = paintWindow();
    if (window == 0) return std::nullopt;
    const QRect area = screen_.clientArea(window);
    const QImage shot = screen_.grab(area);
    const QPoint corner(kHandleMargin, kHandleMargin);
    const auto block = find(shot, picture.copy(QRect(corner, QSize(kBlock, kBlock))));
    if (!block) return std::nullopt;
    const QRect inner =
        picture.rect().adjusted(kHandleMargin, kHandleMargin, -kHandleMargin, -kHandleMargin);
    const QRect innerOnShot = inner.translated(*block - corner);
    if (!shot.rect().contains(innerOnShot) ||
        !samePicture(shot.copy(innerOnShot), picture.copy(inner))) {
      return std::nullopt;
    }
    return area.topLeft() + *block - corner;
  }
};

TEST_F(PaintHandOff, PaintProgramOpensWithThePicturePasted) {
  const QPoint first = onPattern(150, 120);
  markRectangle(first, first + QPoint(120, 90));
  ASSERT_TRUE(clipboardShowsPattern(first, 1));
  const QImage picture = clipboardPicture();
  // Off the screen, so the only copies of the picture are our view and the paste.
  pattern_->hide();

  clickAt(program_->layout().paintButton.center());
  parkPointer();
  ASSERT_TRUE(waitUntil([&] { return paintWindow() != 0; })) << "no paint program window";
  std::optional<QPoint> pasted;
  EXPECT_TRUE(waitUntil([&] { return (pasted = pastedAt(picture)).has_value(); }))
      << "the picture does not show in the paint program";
}

}  // namespace
