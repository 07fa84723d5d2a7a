#include "program_under_test.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "user_images.h"
#include "user_screen.h"
#include "wait_until.h"

namespace {

std::string freshErrorFile() {
  static int launches = 0;
  const auto path =
      std::filesystem::temp_directory_path() /
      ("orvex-capture-" + std::to_string(getpid()) + "-" + std::to_string(++launches) + ".stderr");
  return path.string();
}

}  // namespace

ProgramUnderTest::ProgramUnderTest(const UserScreen& screen)
    : screen_(screen),
      errorFile_(freshErrorFile()),
      process_(std::make_unique<ChildProcess>(std::vector<std::string>{ORVEX_PROGRAM},
                                              StandardStreams{.errorFile = errorFile_})) {}

ProgramUnderTest::~ProgramUnderTest() {
  stop();
  std::filesystem::remove(errorFile_);
}

bool ProgramUnderTest::findWindow() {
  for (const unsigned long window : screen_.managedWindows()) {
    if (screen_.pidOf(window) == pid()) window_ = window;
  }
  return window_ != 0;
}

bool ProgramUnderTest::active() const { return window_ != 0 && screen_.activeWindow() == window_; }

// Painted once the button row is drawn over the window's background, and settled once two
// looks in a row see the same.
bool ProgramUnderTest::painted() const {
  const QImage shot = screen_.grab(clientArea());
  const bool drawn =
      !shot.isNull() && !uniform(shot, layout().videoButton.translated(-clientArea().topLeft()));
  const bool settled = drawn && shot == lastLook_;
  lastLook_ = shot;
  return settled;
}

bool ProgramUnderTest::framedAt(QPoint place) const {
  const auto frame = screen_.frameExtents(window_);
  return frame && clientArea().topLeft() - QPoint(frame->left(), frame->top()) == place;
}

::testing::AssertionResult ProgramUnderTest::waitUntilReadyAt(QPoint place) {
  if (!waitUntil([&] { return findWindow(); })) {
    return ::testing::AssertionFailure() << "no window of pid " << pid() << "; stderr:\n"
                                         << errorOutput();
  }
  if (!waitUntil(
          [&] { return screen_.viewable(window_) && screen_.frameExtents(window_) && active(); })) {
    return ::testing::AssertionFailure() << "the window did not show framed and active";
  }
  screen_.moveFrame(window_, place);
  if (!waitUntil([&] { return framedAt(place); })) {
    return ::testing::AssertionFailure() << "the window did not move to its place";
  }
  if (!waitUntil([&] { return painted(); })) {
    return ::testing::AssertionFailure() << "the window was not painted";
  }
  return ::testing::AssertionSuccess();
}

QRect ProgramUnderTest::clientArea() const { return screen_.clientArea(window_); }

QRect ProgramUnderTest::frameArea() const {
  return clientArea().marginsAdded(screen_.frameExtents(window_).value_or(QMargins()));
}

std::string ProgramUnderTest::errorOutput() const {
  std::ifstream file(errorFile_);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}
