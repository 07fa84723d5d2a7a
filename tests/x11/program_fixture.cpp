#include "program_fixture.h"

#include <cstdlib>
#include <string>

#include "user_clipboard.h"
#include "user_images.h"
#include "user_ping.h"
#include "wait_until.h"

namespace {

constexpr const char* kRuntimeErrorReport = "実行時エラー";

// Whether `picture` shows the pattern from `topLeft` on, magnified `zoom` times, all over.
::testing::AssertionResult showsPattern(const ScreenPattern& pattern, const QImage& picture,
                                        QPoint topLeft, int zoom) {
  const QSize shown((picture.width() + zoom - 1) / zoom, (picture.height() + zoom - 1) / zoom);
  if (!pattern.place().contains(QRect(topLeft, shown))) {
    return ::testing::AssertionFailure()
           << "the pattern does not cover the part of the screen shown";
  }
  return samePicture(picture, pattern.magnified(topLeft, picture.size(), zoom));
}

}  // namespace

void ProgramTest::SetUp() {
  ASSERT_NE(display_.get(), nullptr) << "DISPLAY must name a running X server";
  numLockAtStart_ = input_.numLock();
  pattern_ = std::make_unique<ScreenPattern>(display_, patternPlace(), noiseAt);
  pattern_->show();
  ASSERT_TRUE(waitUntil([&] {
    return samePicture(screen_.grab(patternPlace()), pattern_->picture());
  })) << "the pattern did not show";
  parkPointer();
  program_ = std::make_unique<ProgramUnderTest>(screen_);
  ASSERT_TRUE(program_->waitUntilReadyAt(windowPlace()));
  ASSERT_FALSE(program_->frameArea().intersects(patternPlace()));
}

// ORVEX_FAILURE_SCREENSHOTS=/dir keeps what the screen showed when a test failed.
void ProgramTest::saveScreenOnFailure() const {
  const char* directory = std::getenv("ORVEX_FAILURE_SCREENSHOTS");
  if (directory == nullptr || !HasFailure()) return;
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = std::string(test->test_suite_name()) + "." + test->name();
  const QString path = QString::fromStdString(std::string(directory) + "/" + name + ".png");
  screen_.grab(QRect(QPoint(0, 0), screen_.size())).save(path);
}

// Stopping the program also closes any error message it has up.
void ProgramTest::TearDown() {
  if (display_.get() == nullptr) return;
  saveScreenOnFailure();
  if (program_) {
    const std::string errors = program_->errorOutput();
    EXPECT_EQ(errors.find(kRuntimeErrorReport), std::string::npos) << errors;
    program_.reset();
  }
  // Stopped, the program leaves its picture to a keeper: nothing of this test may serve the
  // next one's clipboard.
  emptyClipboard(display_);
  pattern_.reset();
  input_.setNumLock(numLockAtStart_);
}

// The bottom right corner of the screen: no window of the tests lies there.
void ProgramTest::parkPointer() const {
  input_.movePointer(QPoint(screen_.size().width() - 2, screen_.size().height() - 2));
}

void ProgramTest::waitUntilProgramHandledInput() const {
  EXPECT_TRUE(waitUntilHandled(display_, program_->window(), kPatience))
      << "the program did not answer";
}

void ProgramTest::clickAt(QPoint screenPoint) const {
  input_.movePointer(screenPoint);
  waitUntilProgramHandledInput();
  input_.pressButton();
  waitUntilProgramHandledInput();
  input_.releaseButton();
  waitUntilProgramHandledInput();
}

void ProgramTest::strikeKey(unsigned long keysym) const {
  input_.tapKey(keysym);
  waitUntilProgramHandledInput();
}

void ProgramTest::strikeKeyHolding(unsigned long keysym, unsigned long heldKeysym) const {
  input_.tapKeyHolding(keysym, heldKeysym);
  waitUntilProgramHandledInput();
}

void ProgramTest::strikeKeyRepeatedly(unsigned long keysym, int times) const {
  for (int i = 0; i < times; ++i) strikeKey(keysym);
}

void ProgramTest::markFirstCorner(QPoint first, unsigned long key) const {
  input_.movePointer(first);
  strikeKey(key);
}

void ProgramTest::markSecondCorner(QPoint second, unsigned long key) const {
  input_.movePointer(second - kSecondCornerOffset);
  strikeKey(key);
}

void ProgramTest::markRectangle(QPoint first, QPoint second) const {
  markFirstCorner(first);
  markSecondCorner(second);
}

QImage ProgramTest::awaitClipboardPicture() {
  QImage picture;
  waitUntil([&] { return !(picture = clipboardPicture()).isNull(); });
  return picture;
}

::testing::AssertionResult ProgramTest::clipboardShowsPattern(QPoint topLeft, int zoom) const {
  ::testing::AssertionResult outcome = ::testing::AssertionFailure()
                                       << "no picture on the clipboard";
  waitUntil([&] {
    const QImage picture = clipboardPicture();
    return !picture.isNull() && (outcome = showsPattern(*pattern_, picture, topLeft, zoom));
  });
  return outcome;
}

::testing::AssertionResult ProgramTest::viewShows(const QImage& picture) const {
  ::testing::AssertionResult outcome = ::testing::AssertionFailure();
  waitUntil([&] { return static_cast<bool>(outcome = samePicture(grabView(), picture)); });
  return outcome;
}

::testing::AssertionResult ProgramTest::viewShowsPattern(QPoint topLeft, int zoom,
                                                         std::chrono::milliseconds timeout) const {
  ::testing::AssertionResult outcome = ::testing::AssertionFailure();
  waitUntil(
      [&] {
        return static_cast<bool>(outcome = showsPattern(*pattern_, grabView(), topLeft, zoom));
      },
      timeout);
  return outcome;
}
