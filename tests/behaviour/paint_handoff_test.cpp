#include "tests/behaviour/program_fixture.h"

namespace {

class PaintHandoff : public ProgramTest {
 protected:
  void SetUp() override { start(15); }
  static constexpr const char* kPaintPath = "C:\\Program Files\\Accessories\\MSPAINT.EXE";
};

TEST_F(PaintHandoff, StartsThePaintProgramAndPastes) {
  captureRectangle(100, 200, 297, 376);
  const graphics::Bitmap captured = *desktop.clipboardPicture();
  click(window().Command4);

  ASSERT_EQ(desktop.shellCalls().size(), 1U);
  EXPECT_EQ(desktop.shellCalls()[0].path, kPaintPath);
  EXPECT_EQ(desktop.shellCalls()[0].windowStyle, 1);
  ASSERT_EQ(desktop.sentKeys().size(), 1U);
  EXPECT_EQ(desktop.sentKeys()[0].keys, "^v");
  EXPECT_TRUE(desktop.sentKeys()[0].wait);
  EXPECT_EQ(*desktop.clipboardPicture(), captured) << "camera mode leaves the clipboard alone";
  EXPECT_EQ(desktop.beeps(), 1);
  EXPECT_EQ(errorsReported(), 0);
}

TEST_F(PaintHandoff, InVideoModeTheLivePictureGoesFirst) {
  click(window().Command1);
  pointAt(10, 20);
  tick();
  click(window().Command4);
  ASSERT_TRUE(desktop.clipboardPicture().has_value());
  EXPECT_EQ(*desktop.clipboardPicture(), window().Picture1.Image());
  EXPECT_EQ(desktop.beeps(), 1);
  EXPECT_EQ(desktop.sentKeys().size(), 1U);
}

TEST_F(PaintHandoff, WorksWithNoModeRunning) {
  click(window().Command2);
  click(window().Command4);
  EXPECT_EQ(desktop.shellCalls().size(), 1U);
  EXPECT_EQ(desktop.beeps(), 0);
  releaseKey('4');
  EXPECT_EQ(desktop.shellCalls().size(), 1U) << "the key \"4\" acts only while a mode runs";
}

TEST_F(PaintHandoff, AProgramThatCannotStartIsReportedAndNothingIsSent) {
  click(window().Command1);
  desktop.setShellFails(true);
  click(window().Command4);
  ASSERT_EQ(errorsReported(), 1);
  EXPECT_EQ(toolkit.errors()[0].number(), 53);
  EXPECT_TRUE(desktop.sentKeys().empty());
  EXPECT_TRUE(desktop.clipboardPicture().has_value()) << "the picture is on the clipboard already";
  EXPECT_EQ(mode(), kVideoRunning);
}

TEST_F(PaintHandoff, NoTaskMeansNoKeys) {
  desktop.setShellResult(0);
  click(window().Command4);
  EXPECT_TRUE(desktop.sentKeys().empty()) << "no blind Alt+F4 to whatever window is active";
  ASSERT_EQ(errorsReported(), 1);
}

TEST_F(PaintHandoff, AWindowThatNeverAppearsGetsNoKeys) {
  desktop.setStartedWindowAppears(false);
  click(window().Command4);
  EXPECT_TRUE(desktop.sentKeys().empty());
  ASSERT_EQ(errorsReported(), 1);
  click(window().Command3);
  EXPECT_TRUE(window().Text1.Visible()) << "the program carries on";
}

TEST_F(PaintHandoff, EachClickStartsAnotherInstance) {
  click(window().Command4);
  click(window().Command4);
  EXPECT_EQ(desktop.shellCalls().size(), 2U);
  EXPECT_EQ(desktop.sentKeys().size(), 2U);
}

}  // namespace
