#include "platform/x11/error_trap.h"

#include <gtest/gtest.h>

#include "test_display.h"
// Last: Xlib's macros (None, Status, ...) clash with gtest's names.
#include <X11/Xlib.h>

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
