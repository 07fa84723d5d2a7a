// The window as it opens: its title and size, its controls where the layout puts them, Japanese
// captions drawn as glyphs; and the mode buttons trading captions.
#include <cstdlib>

#include "program_fixture.h"
#include "program_process.h"
#include "user_images.h"
#include "wait_until.h"

namespace {

using namespace std::chrono_literals;

// Enough dark pixels for a caption of a few characters at this size.
constexpr int kCaptionInk = 40;

QRect insideOf(QRect control) { return control.adjusted(4, 4, -4, -4); }

int darkPixels(const QImage& ink) {
  return ink.isNull() ? 0 : countColour(ink, ink.rect(), qRgb(0, 0, 0));
}

class Startup : public ProgramTest {
 protected:
  // Screenshot of the window's inside and its layout, both in the window's own coordinates.
  QImage shot() const { return screen_.grab(program_->clientArea()); }
  ProgramLayout localLayout() const {
    return ProgramLayout::of(QRect(QPoint(0, 0), program_->clientArea().size()));
  }
  QImage captionInk(const QImage& picture, QRect button) const {
    return inkOf(picture, insideOf(button));
  }

  // For docs/window.png: ORVEX_SAVE_SCREENSHOT=/path saves the framed window there.
  void saveScreenshotIfAsked() const {
    const char* path = std::getenv("ORVEX_SAVE_SCREENSHOT");
    if (path == nullptr || *path == '\0') return;
    EXPECT_TRUE(screen_.grab(program_->frameArea()).save(path, "PNG")) << path;
  }
};

TEST_F(Startup, WindowOpensWithItsTitleAtItsSizeFrameIncluded) {
  EXPECT_EQ(screen_.titleOf(program_->window()), ProgramUnderTest::kTitle);
  // 4308 × 4056 twips at 15 a pixel, the frame counted before the window first showed.
  EXPECT_EQ(program_->frameArea().size(), QSize(287, 270));
}

TEST_F(Startup, ControlsLieWhereTheLayoutPutsThem) {
  const QImage picture = shot();
  const ProgramLayout layout = localLayout();
  EXPECT_TRUE(uniform(picture, layout.view)) << "the view shows nothing but its background";
  const QRect gapAboveRow(0, layout.view.bottom() + 1, picture.width(), 4);
  EXPECT_TRUE(uniform(picture, gapAboveRow)) << "nothing between the view and the button row";
  EXPECT_TRUE(uniform(picture, layout.openStrip))
      << "nothing between the button row and the lens bar";
  for (const QRect button :
       {layout.paintButton, layout.videoButton, layout.cameraButton, layout.helpButton}) {
    EXPECT_GE(darkPixels(captionInk(picture, button)), kCaptionInk)
        << "no caption at " << button.x() << ", " << button.y();
  }
  EXPECT_GT(darkPixels(inkOf(picture, layout.readOut)), 0) << "the read-out shows the zoom";
  EXPECT_FALSE(uniform(picture, layout.lensBar)) << "the lens bar is drawn";
  if (!HasFailure()) saveScreenshotIfAsked();
}

// A missing font shows every character as the same box: three-character captions would then
// all look alike.
TEST_F(Startup, JapaneseCaptionsAreDrawnAsGlyphs) {
  const auto family = outputOf({"fc-match", "-f", "%{family}", "IPAPGothic"}, 5s);
  ASSERT_TRUE(family.has_value());
  EXPECT_NE(family->find("IPAPGothic"), std::string::npos) << *family;

  const QImage picture = shot();
  const ProgramLayout layout = localLayout();
  const QImage video = captionInk(picture, layout.videoButton);
  const QImage camera = captionInk(picture, layout.cameraButton);
  const QImage help = captionInk(picture, layout.helpButton);
  for (const QImage& ink : {video, camera, help}) EXPECT_GE(darkPixels(ink), kCaptionInk);
  EXPECT_TRUE(video != camera) << "ビデオ looks like 作動中";
  EXPECT_TRUE(camera != help) << "作動中 looks like ヘルプ";
  EXPECT_TRUE(video != help) << "ビデオ looks like ヘルプ";
}

// Camera mode runs at start: its button reads 作動中. A click on ビデオ moves 作動中 there and
// gives the camera button its own name back.
TEST_F(Startup, VideoButtonTakesTheRunningCaption) {
  const QImage before = shot();
  const ProgramLayout layoutBefore = localLayout();
  clickAt(program_->layout().videoButton.center());
  parkPointer();
  // Every mode starts from a reset window, which may differ in size from the opening one.
  QImage after;
  ProgramLayout layoutAfter;
  EXPECT_TRUE(waitUntil([&] {
    after = shot();
    layoutAfter = localLayout();
    return captionInk(after, layoutAfter.videoButton) ==
           captionInk(before, layoutBefore.cameraButton);
  })) << "ビデオ does not read 作動中";
  const QImage cameraCaption = captionInk(after, layoutAfter.cameraButton);
  EXPECT_TRUE(cameraCaption != captionInk(before, layoutBefore.cameraButton))
      << "カメラ still reads 作動中";
  EXPECT_TRUE(cameraCaption != captionInk(before, layoutBefore.videoButton))
      << "カメラ reads ビデオ";
  EXPECT_GE(darkPixels(cameraCaption), kCaptionInk);
}

}  // namespace
