#include "platform/x11/error_trap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "test_display.h"
// Last: Xlib's macros (None, Status, ...) clash with gtest's names.
#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace {

// A window id that no client has: every request on it fails with BadWindow.
constexpr Window kNoSuchWindow = 0x1FFFFFFF;

// The errors that reach the handler set before any trap, counted instead of ending the test.
int errorsElsewhere = 0;
int countError(Display*, XErrorEvent*) {
  ++errorsElsewhere;
  return 0;
}

class ErrorTrap : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(display_.get(), nullptr) << "these tests need DISPLAY to name a running X server";
  }
  TestDisplay display_;
  x11::Connection connection_;
};

TEST_F(ErrorTrap, RecordsAFailedRequestInsteadOfEndingTheProgram) {
  x11::ErrorTrap trap(connection_);
  EXPECT_FALSE(trap.failed());
  XMapWindow(connection_.display(), kNoSuchWindow);
  EXPECT_TRUE(trap.failed());
  EXPECT_TRUE(trap.failed());
}

TEST_F(ErrorTrap, CatchesErrorsStillInFlightWhenItEnds) {
  const XErrorHandler before = XSetErrorHandler(countError);
  errorsElsewhere = 0;
  {
    x11::ErrorTrap trap(connection_);
    XMapWindow(connection_.display(), kNoSuchWindow);
  }
  XSync(connection_.display(), False);  // an error still on its way arrives now
  EXPECT_EQ(errorsElsewhere, 0);
  XSetErrorHandler(before);
}

TEST_F(ErrorTrap, NestedTrapsEachKeepTheirOwnErrors) {
  x11::ErrorTrap outer(connection_);
  {
    x11::ErrorTrap inner(connection_);
    XMapWindow(connection_.display(), kNoSuchWindow);
    EXPECT_TRUE(inner.failed());
  }
  EXPECT_FALSE(outer.failed());
}

// One trap can watch the requests of several calls: what others sent in between is not its own.
TEST_F(ErrorTrap, APausedTrapKeepsOnlyTheRefusalsOfTheRequestsItWatched) {
  Display* display = connection_.display();
  x11::ErrorTrap trap(connection_);
  XMapWindow(display, kNoSuchWindow);
  trap.pause();
  {
    x11::ErrorTrap other(connection_);
    XUnmapWindow(display, kNoSuchWindow);
    EXPECT_TRUE(other.failed());
  }
  trap.watch();
  XMapWindow(display, kNoSuchWindow);
  ASSERT_TRUE(trap.failed());
  ASSERT_EQ(trap.refusals().size(), 2U);
  EXPECT_TRUE(
      std::all_of(trap.refusals().begin(), trap.refusals().end(),
                  [](const x11::Refusal& refusal) { return refusal.requestCode == X_MapWindow; }));
}

// Outside every trap the program goes on, and stderr says so once, not once a request.
TEST_F(ErrorTrap, ARefusalNoTrapWatchesIsReportedOnceAndEndsNothing) {
  testing::internal::CaptureStderr();
  {
    x11::Connection connection;
    for (int i = 0; i < 3; ++i) XCirculateSubwindowsUp(connection.display(), kNoSuchWindow);
    XSync(connection.display(), False);
  }
  const std::string output = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
  EXPECT_NE(output.find("BadWindow"), std::string::npos) << output;
}

TEST_F(ErrorTrap, LeavesOtherConnectionsErrorsToTheirHandler) {
  const XErrorHandler before = XSetErrorHandler(countError);
  errorsElsewhere = 0;
  {
    x11::ErrorTrap trap(connection_);
    XMapWindow(display_.get(), kNoSuchWindow);
    XSync(display_.get(), False);
    EXPECT_FALSE(trap.failed());
  }
  EXPECT_EQ(errorsElsewhere, 1);
  EXPECT_EQ(XSetErrorHandler(before), &countError);  // and it is back in place
}

}  // namespace
