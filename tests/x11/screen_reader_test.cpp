#include "platform/x11/screen_reader.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <functional>
#include <memory>
#include <optional>

#include "platform/forms/runtime_error.h"
#include "platform/graphics/device_context.h"
#include "platform/x11/pointer.h"
#include "platform/x11/qt/desktop.h"
#include "platform/x11/screen_compositor.h"
#include "platform/x11/server_surface.h"
#include "platform/x11/stretch_check.h"
#include "qt_peer_fixture.h"
#include "screen_change.h"
#include "screen_colours.h"
#include "screen_pattern.h"
#include "test_display.h"
#include "user_screen.h"
#include "wait_until.h"
// Last: Xlib's macros (None, Status, ...) clash with gtest's and Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/Xrender.h>

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
        return std::string("(")  // appended: see describeArea
            .append(std::to_string(area.left + x))
            .append(", ")
            .append(std::to_string(area.top + y))
            .append(")");
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

// A view's picture on the X server, which stretches the screen itself, and the portable one in
// memory, drawn through the same calls; no server picture where the server cannot stretch.
struct ServerSide {
  ServerSide() : compositor(x11::ScreenCompositor::open(connection, screen)) {
    if (compositor != nullptr) onServer.emplace(*compositor);
  }
  void resize(graphics::Size size, Pixel fill) {
    onServer->resize(size, fill);
    inMemory.resize(size, fill);
  }
  void fill(Pixel value) {
    onServer->fill(value);
    inMemory.fill(value);
  }
  void stretchFrom(const Rect& dest, graphics::PixelSource& source, const Rect& sourceRect) {
    onServer->stretchFrom(dest, source, sourceRect);
    inMemory.stretchFrom(dest, source, sourceRect);
  }
  bool same() { return onServer->pixels() == inMemory.pixels(); }

  x11::Connection connection;
  x11::ScreenReader screen{connection};
  std::unique_ptr<x11::ScreenCompositor> compositor;
  std::optional<x11::ServerSurface> onServer;
  graphics::BitmapSurface inMemory;
};
constexpr const char* kNoServerStretch = "the server stretches 24-bit screens only";

// At every zoom of the lens bar and over the whole screen (past its edges on every side), read
// back, the picture on the server is the portable copy's pixel for pixel. On Xvfb the server
// gives every zoom exactly.
TEST_F(DesktopStretch, OnTheServerEveryZoomGivesThePortableCopysPicture) {
  ServerSide side;
  if (side.compositor == nullptr) GTEST_SKIP() << kNoServerStretch;
  const graphics::Size view{screenWidth(), screenHeight()};
  const graphics::Pixel background = graphics::rgb(1, 2, 3);
  side.resize(view, background);
  constexpr int kTenths = 10;
  for (int zoom = 1; zoom <= 40; ++zoom) {
    const Rect dest{0, 0, zoom * view.width, zoom * view.height};
    // From inside the screen at first, from above and left of it further on.
    const Rect source{37 - 3 * zoom, 23 - 2 * zoom, kTenths * view.width, kTenths * view.height};
    EXPECT_TRUE(side.compositor->canStretch(view, dest, side.screen, source))
        << "zoom " << zoom << "/10";
    side.fill(background);
    side.stretchFrom(dest, side.screen, source);
    EXPECT_TRUE(side.same()) << "zoom " << zoom << "/10";
  }
}

// What the server cannot stretch (here a picture in memory) the surface copies in memory and
// sends; a clear alone needs no server to read back from.
TEST_F(DesktopStretch, OnTheServerOtherCopiesAndClearsKeepTheirPixels) {
  ServerSide side;
  if (side.compositor == nullptr) GTEST_SKIP() << kNoServerStretch;
  graphics::Bitmap picture(30, 20);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x)
      picture.set(x, y, OnThePatternedScreen::shownAt(x, y));
  }
  graphics::BitmapSource source(picture);
  side.resize({64, 48}, graphics::rgb(9, 9, 9));
  side.fill(graphics::rgb(200, 100, 50));
  side.stretchFrom({5, 3, 90, 40}, source, {2, 1, 30, 20});
  side.resize({70, 40}, graphics::rgb(7, 7, 7));
  EXPECT_TRUE(side.same());
  side.onServer->fill(graphics::rgb(4, 5, 6));
  EXPECT_EQ(side.onServer->pixels().at(69, 39), graphics::rgb(4, 5, 6));
}

// A picture too wide for any pixmap of the server's (32767 pixels at most), mid view, is refused
// one: the view goes on in memory, pixel for pixel, shown in its window the plain way, and
// stderr says so once, not at every frame.
TEST_F(DesktopStretch, OnTheServerAPictureRefusedAPixmapIsKeptInMemoryAndShown) {
  ServerSide side;
  if (side.compositor == nullptr) GTEST_SKIP() << kNoServerStretch;
  const QRect window{0, 0, 64, 6};
  const unsigned long shownIn =
      display().createUnmanagedWindow(window.x(), window.y(), window.width(), window.height());
  display().mapRaised(shownIn);
  const auto frame = [&](int left) {
    const graphics::Size size = side.inMemory.size();
    side.stretchFrom({0, 0, 4 * size.width, 4 * size.height}, side.screen,
                     {left, 7, size.width, size.height});
    side.onServer->present(shownIn, {window.width(), window.height()}, graphics::kBlack,
                           x11::ServerPicture());
    XSync(side.connection.display(), False);
  };
  side.resize({window.width(), window.height()}, graphics::rgb(1, 2, 3));
  frame(0);
  testing::internal::CaptureStderr();
  side.resize({40000, window.height()}, graphics::rgb(1, 2, 3));
  frame(1);
  const std::string reported = testing::internal::GetCapturedStderr();
  testing::internal::CaptureStderr();
  frame(2);
  frame(3);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "reported at every frame";
  EXPECT_NE(reported.find("BadAlloc"), std::string::npos) << reported;
  ASSERT_TRUE(side.same());
  const QImage shown = UserScreen(display()).grab(window);
  for (const QPoint& at : {window.topLeft(), window.bottomRight()}) {
    EXPECT_EQ(shown.pixel(at) & 0xFFFFFFU, side.inMemory.pixels().at(at.x(), at.y()));
  }
  XDestroyWindow(display().get(), shownIn);
}

// Monitors come and go while the view is live: each frame the server stretches is the portable
// copy's of the screen as it is then, black where the screen has gone.
TEST_F(DesktopStretch, OnTheServerTheViewFollowsTheScreenChangingSize) {
  ServerSide side;
  if (side.compositor == nullptr) GTEST_SKIP() << kNoServerStretch;
  side.resize({351, 240}, graphics::kBlack);
  ScreenChange screenChange(display());
  for (const graphics::Size size : {graphics::Size{1000, 700}, graphics::Size{1200, 900}}) {
    screenChange.resizeTo(size.width, size.height);
    ASSERT_TRUE(waitUntil([&] {
      return side.screen.bounds() == Rect{0, 0, size.width, size.height};
    }));
    for (const int zoom : {10, 40}) {  // the whole view stretched, and held first
      side.stretchFrom({0, 0, zoom * 351, zoom * 240}, side.screen, {900, 600, 3510, 2400});
      EXPECT_TRUE(side.same()) << size.width << "x" << size.height << " zoom " << zoom;
    }
  }
}

// Part of the screen held on the server is the screen as it was then, stretched there or read
// into memory, whatever covers it since.
TEST_F(DesktopStretch, OnTheServerAHeldAreaIsTheScreenAsItWas) {
  ServerSide side;
  if (side.compositor == nullptr) GTEST_SKIP() << kNoServerStretch;
  const Rect area{100, 50, 200, 120};
  graphics::BitmapSurface before;
  before.resize({area.width, area.height}, graphics::kBlack);
  before.stretchFrom({0, 0, area.width, area.height}, side.screen, area);
  graphics::HeldSource& held = side.compositor->heldScreen();
  held.hold(area);
  const unsigned long cover = display().createUnmanagedWindow(
      area.left, area.top, area.width, area.height,
      display().pixmapOfValues({colours().pixelFor(graphics::rgb(255, 0, 0))}, 1, 1));
  display().mapRaised(cover);
  side.resize({area.width, area.height}, graphics::kBlack);
  side.stretchFrom({0, 0, area.width, area.height}, held, area);  // on the server
  EXPECT_TRUE(side.onServer->pixels() == before.pixels());
  side.stretchFrom({3, 2, area.width, area.height}, held, area);  // off the corner: in memory
  EXPECT_TRUE(side.same());
  EXPECT_EQ(side.inMemory.pixels().at(13, 12), before.pixels().at(10, 10));
  XDestroyWindow(display().get(), cover);
}

// The server's verdict on a ratio, from one row and one column of ramp, is what its stretch of
// a whole picture shows. Five thousand pixels wide, this Xvfb gives zooms 3.3 and 3.7 inexactly.
TEST_F(DesktopStretch, TheServersVerdictOnAZoomIsWhatItsStretchShows) {
  ServerSide side;
  if (side.compositor == nullptr) GTEST_SKIP() << kNoServerStretch;
  Display* display = side.connection.display();
  const graphics::Size extent{5120, 3};
  graphics::Bitmap pattern(extent.width, extent.height);
  for (int y = 0; y < extent.height; ++y) {
    for (int x = 0; x < extent.width; ++x) pattern.set(x, y, patternAt(x, y) | 0x800000U);
  }
  for (const int zoom : {32, 33, 37, 40}) {
    const x11::StretchRatio ratio = x11::ratioOf(10, zoom);
    x11::ServerPicture source(display, extent, x11::ServerPicture::Format::Rgb24);
    source.put(pattern.row(0), pattern.stride(), {0, 0, extent.width, extent.height});
    XRenderSetPictureFilter(display, source.picture(), FilterNearest, nullptr, 0);
    const x11::ServerPicture stretched(display, extent, x11::ServerPicture::Format::Rgb24);
    x11::compositeStretch(display, source.picture(), {0, 0, extent.width, extent.height},
                          {ratio, ratio, extent, 0, 0}, stretched.picture(),
                          {0, 0, extent.width, extent.height});
    const graphics::PixelView shown =
        side.screen.readPixmap(stretched.pixmap(), {0, 0, extent.width, extent.height});
    graphics::Bitmap portable(extent.width, extent.height);
    graphics::BitmapSource from(pattern);
    graphics::StretchScratch scratch;
    graphics::stretchCopy(portable, {0, 0, zoom * extent.width, zoom * extent.height}, from,
                          {0, 0, 10 * extent.width, 10 * extent.height}, scratch);
    bool same = true;
    for (int y = 0; y < extent.height; ++y) {
      for (int x = 0; x < extent.width; ++x)
        same = same && x11::rgbOnly(shown.row(y)[x]) == portable.at(x, y);
    }
    EXPECT_EQ(x11::serverStretchesExactly(side.connection, ratio, ratio, extent), same)
        << "zoom " << zoom << "/10";
  }
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
