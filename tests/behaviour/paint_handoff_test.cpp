#include "tests/behaviour/program_fixture.h"

namespace {

using Script = fake::FakeDesktop::PaintProgramScript;

constexpr int kTimeout = static_cast<int>(platform::StartAndPaste::kWindowTimeout.count());

class PaintHandoff : public ProgramTest {
 protected:
  void SetUp() override { start(15); }
};

// What became of a hand-off, by the time it was settled: a paste or an error, and when.
struct Outcome {
  const char* story;
  Script program;
  int settledAfter;  // milliseconds from the click
  int pastes;
  const char* errorSays;  // nullptr: no error
};

TEST_F(PaintHandoff, EndsInAPasteOrOneErrorSayingWhy) {
  const Outcome table[] = {
      {"its window at the third look", {3, {}}, 3 * kHandOffLook, 1, nullptr},
      {"a launcher that left cleanly, then the window",
       {2, {{false, "終了コード 0"}}},
       2 * kHandOffLook,
       1,
       nullptr},
      {"no window ever", {0, {}}, kTimeout, 0, "のウィンドウが開きませんでした"},
      {"ended at once with status 3",
       {0, {{true, "終了コード 3"}}},
       kHandOffLook,
       0,
       "終了しました (終了コード 3)"},
  };
  for (const Outcome& outcome : table) {
    SCOPED_TRACE(outcome.story);
    desktop.setPaintProgram(outcome.program);
    const int pastes = desktop.pastes();
    const int errors = errorsReported();
    click(window().Command4);
    desktop.advance(outcome.settledAfter - 1);
    EXPECT_TRUE(desktop.paintProgram().handingOver()) << "settled early";
    EXPECT_EQ(errorsReported(), errors);
    desktop.advance(1);
    EXPECT_FALSE(desktop.paintProgram().handingOver());
    EXPECT_EQ(desktop.pastes() - pastes, outcome.pastes);
    ASSERT_EQ(errorsReported() - errors, outcome.errorSays != nullptr ? 1 : 0);
    if (outcome.errorSays == nullptr) continue;
    EXPECT_EQ(toolkit.errors().back().number(), 75);
    EXPECT_NE(toolkit.errors().back().description().find(outcome.errorSays), std::string::npos)
        << toolkit.errors().back().description();
  }
  EXPECT_TRUE(toolkit.statuses().empty());
}

TEST_F(PaintHandoff, ACaptureIsPastedAsItIsOnTheClipboard) {
  captureRectangle(100, 200, 297, 376);
  const graphics::Bitmap captured = *desktop.clipboardPicture();
  click(window().Command4);
  finishHandOff();
  EXPECT_EQ(desktop.pastes(), 1);
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
  EXPECT_EQ(desktop.paintStarts(), 1);
}

TEST_F(PaintHandoff, WorksWithNoModeRunning) {
  click(window().Command2);
  click(window().Command4);
  EXPECT_EQ(desktop.paintStarts(), 1);
  EXPECT_EQ(desktop.beeps(), 0);
  finishHandOff();
  releaseKey('4');
  EXPECT_EQ(desktop.paintStarts(), 1) << "the key \"4\" acts only while a mode runs";
}

TEST_F(PaintHandoff, AProgramThatCannotStartIsReportedAndLeavesNothingPending) {
  click(window().Command1);
  desktop.setPaintStartFails(true);
  click(window().Command4);
  ASSERT_EQ(errorsReported(), 1);
  EXPECT_EQ(toolkit.errors()[0].number(), 53);
  EXPECT_FALSE(desktop.paintProgram().handingOver());
  EXPECT_TRUE(desktop.clipboardPicture().has_value()) << "the picture is on the clipboard already";
  EXPECT_EQ(mode(), kVideoRunning);
  desktop.setPaintStartFails(false);
  click(window().Command4);
  EXPECT_EQ(desktop.paintStarts(), 1);
}

// The click returns at once; whatever happens before the paste is handled as an event of its
// own, not inside the click, and a press meanwhile is told and starts nothing.
TEST_F(PaintHandoff, OneAtATimeAndTheWindowGoesOnMeanwhile) {
  desktop.setPaintProgram({0, {}});
  click(window().Command1);
  for (int press = 0; press < 10; ++press) releaseKey('4');
  EXPECT_EQ(desktop.paintStarts(), 1);
  EXPECT_EQ(toolkit.statuses(),
            std::vector<std::string>(9, "ペイントプログラムへの受け渡しの途中です"));
  EXPECT_EQ(desktop.beeps(), 1) << "a press meanwhile leaves the clipboard alone";
  const float viewHeight = window().Picture1.Height();
  resizeClient(500, 400);
  EXPECT_NE(window().Picture1.Height(), viewHeight) << "the layout ran at the resize";
  releaseKey('3');
  EXPECT_EQ(desktop.beeps(), 2) << "keys work";
  desktop.advance(kTimeout);
  EXPECT_EQ(errorsReported(), 1);
  click(window().Command4);
  EXPECT_EQ(desktop.paintStarts(), 2) << "the next press starts anew";
}

}  // namespace
