#include <gtest/gtest.h>

#include <string>

#include "platform/forms/runtime.h"
#include "platform/forms/timer.h"
#include "tests/support/ellipse_hit.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/headless_toolkit.h"

namespace {

TEST(EllipseHit, HoldsThePixelsWhoseCentresLieInsideTheInscribedEllipse) {
  const graphics::Rect bounds{10, 20, 8, 4};
  const struct {
    int x;
    int y;
    bool inside;
  } cases[] = {
      {13, 21, true},  {14, 22, true},   // around the centre
      {10, 21, true},  {17, 22, true},   // the middle of the leftmost and rightmost columns
      {10, 20, false}, {17, 23, false},  // the corners
      {9, 21, false},  {18, 22, false},  // just beside it
      {13, 19, false}, {13, 24, false},  // just above and below it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(headless::ellipseContains(bounds, c.x, c.y), c.inside) << c.x << ", " << c.y;
  }
  EXPECT_FALSE(headless::ellipseContains({5, 5, 0, 3}, 5, 6)) << "an empty rectangle holds nothing";
}

TEST(HeadlessTimers, TickInTimeOrderAsOftenAsTheirIntervalsAllow) {
  fake::FakeDesktop desktop;
  headless::HeadlessToolkit toolkit;
  forms::Runtime runtime(toolkit, desktop);
  forms::Timer fast(runtime);
  forms::Timer slow(runtime);
  std::string ticks;
  fast.Tick = [&] { ticks += 'f'; };
  slow.Tick = [&] {
    ticks += 's';
    fast.setEnabled(false);  // a tick may stop another timer before its turn
  };
  fast.setInterval(30);
  slow.setInterval(50);
  fast.setEnabled(true);
  slow.setEnabled(true);

  toolkit.advance(49);
  EXPECT_EQ(ticks, "f");
  toolkit.advance(1);
  EXPECT_EQ(ticks, "fs");
  toolkit.advance(100);
  EXPECT_EQ(ticks, "fsss");
  EXPECT_EQ(toolkit.now(), 150);
  EXPECT_EQ(headless::HeadlessToolkit::timer(slow).starts(), 1);
}

}  // namespace
