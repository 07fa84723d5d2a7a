#include "platform/x11/screen_reader.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <functional>
#include <memory>

#include "platform/forms/runtime_error.h"
#include "platform/graphics/device_context.h"
#include "platform/x11/pointer.h"
#include "platform/x11/qt/desktop.h"
#include "platform/x11/screen_compositor.h"
#include "platform/x11/server_surface.h"
#include "qt_peer_fixture.h"
#include "screen_change.h"
#include "screen_colours.h"
#include "screen_pattern.h"
#include "test_display.h"
#include "wait_until.h"
// Last: Xlib's macros (None, Status, ...) clash with gtest's and Qt's names.
#include <X11/Xlib.h>

namespace {

using graphics::Pixel;
using graphics::Rect;
using Transfer = x11::ScreenReader::Transfer;

// Every pixel of the screen a different colour, so that a read from the wrong place shows;
// neighbours differ in their top bits too, so they stay apart on a 16-bit screen.
Pixel patternAt(int x, int y) {
  return graphics::rgb(static_cast<std::uint8_t>(x * 37), static_cast<std::uint8_t>(y * 59),
                       static_cast<std::uint8_t>(((x >> 8) << 5) | ((y >> 8) << 2)));
}

// The description of the error that `read` throws; empty if it throws none.
std::string errorOf(const std::function<void()>& read) {
  try {
    read();
  } catch (const forms::RuntimeError& error) {
    return error.description();
  }
  return {};
}

// The whole screen covered with the pattern, for a whole suite.
struct PatternedScreen {
  TestDisplay display;
  ScreenColours colours{display.get()};
  std::unique_ptr<ScreenPattern> pattern;
};

class OnThePatternedScreen : public testing::Test {
 public:
  // What the screen shows of the pattern at (x, y).
  static Pixel shownAt(int x, int y) { return screen_->pattern->shownAt(x, y); }

 protected:
  static void SetUpTestSuite() {
    screen_ = std::make_unique<PatternedScreen>();
    if (display().get() == nullptr) return;
    screen_->pattern = std::make_unique<ScreenPattern>(
        display(), QRect(0, 0, screenWidth(), screenHeight()), patternAt);
    screen_->pattern->show();
  }
  static void TearDownTestSuite() { screen_.reset(); }
  void SetUp() override {
    ASSERT_NE(display().get(), nullptr) << "these tests need DISPLAY to name a running X server";
  }

  static const TestDisplay& display() { return screen_->display; }
  static int screenWidth() { return display().width(); }
  static int screenHeight() { return display().height(); }
  static const ScreenColours& colours() { return screen_->colours; }

  static inline std::unique_ptr<PatternedScreen> screen_;
};

// The first pixel of a view that differs from the pattern, as "(x, y)"; empty if none does.
std::string firstMismatch(const graphics::PixelView& view, const Rect& area) {
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      if (view.row(y)[x] != OnThePatternedScreen::shownAt(area.left + x, area.top + y)) {
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
    EXPECT_NE(errorOf([&] { reader.read(area); }), "") << area.left << "," << area.top;
  }
  // Still reading fine afterwards.
  const Rect area{10, 10, 20, 20};
  EXPECT_EQ(firstMismatch(reader.read(area), area), "");
}

// Every value each channel can take, drawn as a pixel value of its own, reads as the colour the
// server's colormap says it shows.
TEST_P(ScreenReading, ReadsEveryChannelValueAsTheServerShowsIt) {
  constexpr int kWidth = 256;
  std::vector<unsigned long> values = colours().everyChannelValue();
  const int rows = static_cast<int>((values.size() + kWidth - 1) / kWidth);
  values.resize(static_cast<std::size_t>(rows) * kWidth);
  const Rect area{20, 30, kWidth, rows};
  const Pixmap pixmap = display().pixmapOfValues(values, kWidth, rows);
  const Window window = display().createUnmanagedWindow(area.left, area.top, kWidth, rows, pixmap);
  display().mapRaised(window);
  x11::Connection connection;
  x11::ScreenReader reader(connection, GetParam());
  const graphics::PixelView view = reader.read(area);
  int mismatches = 0;
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const unsigned long value = values[static_cast<std::size_t>(y) * kWidth + x];
      if (view.row(y)[x] != colours().shownBy(value) && ++mismatches <= 3) {
        ADD_FAILURE() << "pixel value 0x" << std::hex << value << " read as 0x" << view.row(y)[x]
                      << ", shown as 0x" << colours().shownBy(value);
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
  XDestroyWindow(display().get(), window);
  XFreePixmap(display().get(), pixmap);
}

// Monitors come and go: the reader follows the screen's size as the server announces it, and
// reads the grown screen whole and the shrunk one up to its new edges.
TEST_P(ScreenReading, FollowsTheScreensSizeAsItChanges) {
  const Rect whole{0, 0, screenWidth(), screenHeight()};
  const Rect small{0, 0, 1000, 700};
  ScreenChange screenChange(display());
  screenChange.resizeTo(small.width, small.height);
  x11::Connection connection;
  x11::ScreenReader reader(connection, GetParam());
  ASSERT_EQ(reader.bounds(), small);

  screenChange.resizeTo(whole.width, whole.height);
  ASSERT_TRUE(waitUntil([&] { return reader.bounds() == whole; }));
  EXPECT_EQ(firstMismatch(reader.read(whole), whole), "");

  screenChange.resizeTo(small.width, small.height);
  ASSERT_TRUE(waitUntil([&] { return reader.bounds() == small; }));
  const Rect corner{small.width - 10, small.height - 10, 10, 10};
  EXPECT_EQ(firstMismatch(reader.read(corner), corner), "");
  EXPECT_NE(errorOf([&] { reader.read({small.width - 5, 0, 10, 10}); }), "");
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
      : handle_(gdi.registerDeviceContext(*this)) {
    surface_.resize({width, height}, graphics::rgb(1, 2, 3));
  }

  graphics::Surface* target() override { return &surface_; }
  const graphics::Bitmap& bitmap() const { return surface_.bitmap(); }
  platform::Hdc handle() const { return handle_.handle(); }

 private:
  graphics::BitmapSurface surface_;
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
      const Pixel expected = onScreen ? OnThePatternedScreen::shownAt(sx, sy) : graphics::kBlack;
      if (bitmap.at(x, y) != expected && ++mismatches <= 3) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") from (" << sx << ", " << sy << ")";
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(DesktopStretch, CopiesTheScreenIntoABitmapAtAnyZoom) {
  qt_peer_test::application();
  x11::Desktop desktop;
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

// The view's picture kept on the X server, which stretches the screen itself: at every zoom
// of the lens bar and over the whole screen (past its edges on every side), read back, it is
// the portable copy's picture pixel for pixel. On Xvfb the server gives every zoom exactly.
TEST_F(DesktopStretch, OnTheServerEveryZoomGivesThePortableCopysPicture) {
  x11::Connection connection;
  x11::ScreenReader screen(connection);
  const auto compositor = x11::ScreenCompositor::open(connection, screen);
  if (compositor == nullptr) GTEST_SKIP() << "the server stretches 24-bit screens only";
  x11::ServerSurface onServer(*compositor);
  graphics::BitmapSurface inMemory;
  const graphics::Size view{screenWidth(), screenHeight()};
  const graphics::Pixel background = graphics::rgb(1, 2, 3);
  onServer.resize(view, background);
  inMemory.resize(view, background);
  constexpr int kTenths = 10;
  for (int zoom = 1; zoom <= 40; ++zoom) {
    const Rect dest{0, 0, zoom * view.width, zoom * view.height};
    // From inside the screen at first, from above and left of it further on.
    const Rect source{37 - 3 * zoom, 23 - 2 * zoom, kTenths * view.width, kTenths * view.height};
    EXPECT_TRUE(compositor->canStretch(view, dest, screen, source)) << "zoom " << zoom << "/10";
    onServer.fill(background);
    onServer.stretchFrom(dest, screen, source);
    inMemory.fill(background);
    inMemory.stretchFrom(dest, screen, source);
    EXPECT_TRUE(onServer.pixels() == inMemory.pixels()) << "zoom " << zoom << "/10";
  }
}

// What the server cannot stretch (here a picture in memory) the surface copies in memory and
// sends; a clear alone needs no server to read back from.
TEST_F(DesktopStretch, OnTheServerOtherCopiesAndClearsKeepTheirPixels) {
  x11::Connection connection;
  x11::ScreenReader screen(connection);
  const auto compositor = x11::ScreenCompositor::open(connection, screen);
  if (compositor == nullptr) GTEST_SKIP() << "the server stretches 24-bit screens only";
  x11::ServerSurface onServer(*compositor);
  graphics::BitmapSurface inMemory;
  graphics::Bitmap picture(30, 20);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x)
      picture.set(x, y, OnThePatternedScreen::shownAt(x, y));
  }
  graphics::BitmapSource source(picture);
  for (graphics::Surface* surface :
       {static_cast<graphics::Surface*>(&onServer), static_cast<graphics::Surface*>(&inMemory)}) {
    surface->resize({64, 48}, graphics::rgb(9, 9, 9));
    surface->fill(graphics::rgb(200, 100, 50));
    surface->stretchFrom({5, 3, 90, 40}, source, {2, 1, 30, 20});
    surface->resize({70, 40}, graphics::rgb(7, 7, 7));
  }
  EXPECT_TRUE(onServer.pixels() == inMemory.pixels());
  onServer.fill(graphics::rgb(4, 5, 6));
  EXPECT_EQ(onServer.pixels().at(69, 39), graphics::rgb(4, 5, 6));
}

// On a screen whose pixels are colour indices (PseudoColor at depth 8) reads fail, saying why.
// Runs on such a screen only.
TEST(UnreadableScreen, ReadsFailNamingTheScreensFormat) {
  x11::Connection connection;
  x11::ScreenReader reader(connection);
  const std::string error = errorOf([&] { reader.read({0, 0, 10, 10}); });
  EXPECT_NE(error.find("PseudoColor"), std::string::npos) << error;
}

// XWayland shows an X program nothing of the screen but black: a copy fails, saying why, and
// leaves its target as it was. Runs under XWayland only.
TEST(OnXWayland, CopiesFromTheScreenFailSayingWhy) {
  qt_peer_test::application();
  x11::Desktop desktop;
  platform::ScreenCopy& gdi = desktop.screenCopy();
  const platform::Hdc screen = gdi.GetDC(0);
  BitmapDc target(gdi, 40, 30);
  const std::string error = errorOf([&] {
    gdi.StretchBlt(target.handle(), 0, 0, 40, 30, screen, 0, 0, 40, 30, platform::SRCCOPY);
  });
  EXPECT_NE(error.find("Wayland"), std::string::npos) << error;
  EXPECT_EQ(target.bitmap().at(0, 0), graphics::rgb(1, 2, 3));
  EXPECT_EQ(gdi.ReleaseDC(0, screen), 1);
}

TEST(Pointer, FollowsAWarp) {
  TestDisplay display;
  ASSERT_NE(display.get(), nullptr) << "these tests need DISPLAY to name a running X server";
  x11::Connection connection;
  qt_peer_test::application();
  x11::Desktop desktop;
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
