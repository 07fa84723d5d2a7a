#include "platform/x11/screen_reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "platform/graphics/device_context.h"
#include "platform/qt/qt_desktop.h"
#include "platform/x11/pointer.h"
#include "test_display.h"

namespace {

using graphics::Pixel;
using graphics::Rect;
using Transfer = x11::ScreenReader::Transfer;

// Every pixel of the screen a different colour, so that a read from the wrong place shows.
Pixel patternAt(int x, int y) {
  return graphics::rgb(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                       static_cast<std::uint8_t>(((x >> 8) << 4) | (y >> 8)));
}

// Covers the whole screen with the pattern, in a window that the window manager leaves alone
// and whose background the server repaints by itself.
class ScreenPattern {
 public:
  ScreenPattern() {
    if (display_.get() == nullptr) return;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(display_.width()) *
                                      display_.height());
    for (int y = 0; y < display_.height(); ++y) {
      for (int x = 0; x < display_.width(); ++x) {
        pixels[static_cast<std::size_t>(y) * display_.width() + x] = patternAt(x, y);
      }
    }
    pixmap_ = display_.pixmapOf(pixels, display_.width(), display_.height());
    window_ = display_.mapUnmanagedWindow(0, 0, display_.width(), display_.height(), pixmap_);
  }
  ~ScreenPattern() {
    if (display_.get() == nullptr) return;
    XDestroyWindow(display_.get(), window_);
    XFreePixmap(display_.get(), pixmap_);
    XSync(display_.get(), False);
  }
  ScreenPattern(const ScreenPattern&) = delete;
  ScreenPattern& operator=(const ScreenPattern&) = delete;

  const TestDisplay& display() const { return display_; }

 private:
  TestDisplay display_;
  Pixmap pixmap_ = 0;
  Window window_ = 0;
};

class OnThePatternedScreen : public testing::Test {
 protected:
  static void SetUpTestSuite() { pattern_ = std::make_unique<ScreenPattern>(); }
  static void TearDownTestSuite() { pattern_.reset(); }
  void SetUp() override {
    ASSERT_NE(display().get(), nullptr) << "these tests need DISPLAY to name a running X server";
  }

  static const TestDisplay& display() { return pattern_->display(); }
  static int screenWidth() { return display().width(); }
  static int screenHeight() { return display().height(); }

  static inline std::unique_ptr<ScreenPattern> pattern_;
};

// The first pixel of a view that differs from the pattern, as "(x, y)"; empty if none does.
std::string firstMismatch(const graphics::PixelView& view, const Rect& area) {
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      if (view.row(y)[x] != patternAt(area.left + x, area.top + y)) {
        return "(" + std::to_string(area.left + x) + ", " + std::to_string(area.top + y) + ")";
      }
    }
  }
  return {};
}

class ScreenReading : public OnThePatternedScreen, public testing::WithParamInterface<Transfer> {};

TEST_P(ScreenReading, TheBoundsAreTheScreen) {
  x11::Connection connection;
  const x11::ScreenReader reader(connection, GetParam());
  EXPECT_EQ(reader.bounds(), (Rect{0, 0, screenWidth(), screenHeight()}));
  EXPECT_TRUE(reader.readable());
}

TEST_P(ScreenReading, UsesSharedMemoryOnlyWhenAllowed) {
  x11::Connection connection;
  const x11::ScreenReader reader(connection, GetParam());
  // A local Xvfb offers MIT-SHM.
  EXPECT_EQ(reader.usesSharedMemory(), GetParam() == Transfer::SharedMemoryWhenOffered);
}

TEST_P(ScreenReading, ReadsExactPixelsAnywhereUpToTheEdges) {
  x11::Connection connection;
  x11::ScreenReader reader(connection, GetParam());
  const int w = screenWidth();
  const int h = screenHeight();
  // Small and large in turn, so the shared segment has to grow on the way.
  const Rect areas[] = {{0, 0, 1, 1},           {100, 50, 351, 240},  {0, 0, 17, 9},
                        {w - 10, h - 7, 10, 7}, {w - 1, 0, 1, h},     {0, h - 1, w, 1},
                        {3, 5, 1280, 720},      {w - 1, h - 1, 1, 1}, {0, 0, w, h},
                        {256, 256, 300, 300},   {w - 400, 0, 400, 3}};
  for (const Rect& area : areas) {
    const graphics::PixelView view = reader.read(area);
    ASSERT_NE(view.pixels, nullptr)
        << area.left << "," << area.top << " " << area.width << "x" << area.height;
    EXPECT_EQ(view.width, area.width);
    EXPECT_EQ(view.height, area.height);
    EXPECT_GE(view.stride, view.width);
    EXPECT_EQ(firstMismatch(view, area), "")
        << area.left << "," << area.top << " " << area.width << "x" << area.height;
  }
}

TEST_P(ScreenReading, AreasReachingOffTheScreenFailWithoutAsking) {
  x11::Connection connection;
  x11::ScreenReader reader(connection, GetParam());
  const int w = screenWidth();
  const int h = screenHeight();
  for (const Rect& area : {Rect{w - 5, 0, 10, 10}, Rect{-1, 0, 5, 5}, Rect{0, h - 1, 1, 2},
                           Rect{0, 0, w + 1, h}, Rect{w, h, 1, 1}, Rect{0, 0, 0, 5}}) {
    EXPECT_EQ(reader.read(area).pixels, nullptr) << area.left << "," << area.top;
  }
  // Still reading fine afterwards.
  const Rect area{10, 10, 20, 20};
  EXPECT_EQ(firstMismatch(reader.read(area), area), "");
}

INSTANTIATE_TEST_SUITE_P(Transfers, ScreenReading,
                         testing::Values(Transfer::SharedMemoryWhenOffered, Transfer::PlainReads),
                         [](const testing::TestParamInfo<Transfer>& transfer) {
                           return transfer.param == Transfer::PlainReads ? "PlainReads"
                                                                         : "SharedMemory";
                         });

// A picture in memory as a copy target, the way a picture box's backing image is one.
class BitmapDc final : public graphics::DeviceContext {
 public:
  BitmapDc(platform::ScreenCopy& gdi, int width, int height)
      : bitmap_(width, height, graphics::rgb(1, 2, 3)), handle_(gdi.registerDeviceContext(*this)) {}

  graphics::Bitmap* target() override { return &bitmap_; }
  const graphics::Bitmap& bitmap() const { return bitmap_; }
  platform::Hdc handle() const { return handle_.handle(); }

 private:
  graphics::Bitmap bitmap_;
  platform::HandleTable<graphics::DeviceContext>::Registration handle_;
};

using DesktopStretch = OnThePatternedScreen;

// Nearest-neighbour stretch of the pattern, black off the screen.
void expectStretchedPattern(const graphics::Bitmap& bitmap, const Rect& source,
                            const Rect& screen) {
  int mismatches = 0;
  for (int y = 0; y < bitmap.height(); ++y) {
    for (int x = 0; x < bitmap.width(); ++x) {
      const int sx = source.left + x * source.width / bitmap.width();
      const int sy = source.top + y * source.height / bitmap.height();
      const bool onScreen = sx >= 0 && sy >= 0 && sx < screen.width && sy < screen.height;
      const Pixel expected = onScreen ? patternAt(sx, sy) : graphics::kBlack;
      if (bitmap.at(x, y) != expected && ++mismatches <= 3) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") from (" << sx << ", " << sy << ")";
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(DesktopStretch, CopiesTheScreenIntoABitmapAtAnyZoom) {
  qtplatform::QtDesktop desktop;
  platform::ScreenCopy& gdi = desktop.screenCopy();
  const platform::Hdc screen = gdi.GetDC(0);
  ASSERT_NE(screen, 0U);
  const int w = screenWidth();
  const int h = screenHeight();
  const struct {
    int width;
    int height;
    Rect source;
  } cases[] = {{351, 240, {200, 100, 351, 240}},      // zoom 1
               {200, 100, {w - 30, h - 20, 50, 25}},  // zoom 4, past the bottom-right corner
               {351, 240, {-20, -10, 702, 480}},      // zoom 0.5, past the top-left corner
               {64, 48, {0, 0, w, h}},                // the whole screen, much reduced
               {40, 30, {w + 10, 0, 40, 30}}};        // wholly off the screen: black
  for (const auto& c : cases) {
    BitmapDc target(gdi, c.width, c.height);
    EXPECT_EQ(gdi.StretchBlt(target.handle(), 0, 0, c.width, c.height, screen, c.source.left,
                             c.source.top, c.source.width, c.source.height, platform::SRCCOPY),
              1);
    expectStretchedPattern(target.bitmap(), c.source, {0, 0, w, h});
  }
  EXPECT_EQ(gdi.ReleaseDC(0, screen), 1);
}

TEST(Pointer, FollowsAWarp) {
  TestDisplay display;
  ASSERT_NE(display.get(), nullptr) << "these tests need DISPLAY to name a running X server";
  x11::Connection connection;
  qtplatform::QtDesktop desktop;
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{123, 456},
                             std::pair{display.width() - 1, display.height() - 1}}) {
    XWarpPointer(display.get(), 0, display.root(), 0, 0, 0, 0, x, y);
    XSync(display.get(), False);
    EXPECT_EQ(x11::pointerPosition(connection), (x11::PointerPosition{x, y}));
    platform::PointApi point;
    EXPECT_EQ(desktop.pointer().GetCursorPos(point), 1);
    EXPECT_EQ(point.X, x);
    EXPECT_EQ(point.Y, y);
  }
}

}  // namespace
