// The Wayland desktop's pure parts: the shared monitors put together as one screen, and the
// kept consent's file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/wayland/restore_token_store.h"
#include "platform/wayland/virtual_screen.h"

namespace {

using graphics::Pixel;
using graphics::Rect;
using wayland::ChannelOrder;
using wayland::MonitorFrame;

// A monitor's frame whose pixel (x, y) names the monitor, x and y, in the given byte order,
// with rows padded as compositors do.
struct FakeMonitor {
  FakeMonitor(Rect at, Pixel name, ChannelOrder byteOrder)
      : place(at), tag(name), order(byteOrder) {
    stride = place.width + 3;
    pixels.resize(static_cast<std::size_t>(stride * place.height));
    for (int y = 0; y < place.height; ++y) {
      for (int x = 0; x < place.width; ++x) {
        const Pixel rgb = tag | (static_cast<Pixel>(x) << 8) | static_cast<Pixel>(y);
        // 0xFF in the padding byte; RGBx swaps red and blue in memory.
        const Pixel stored = order == ChannelOrder::Bgr
                                 ? rgb
                                 : ((rgb & 0xFFU) << 16) | (rgb & 0xFF00U) | ((rgb >> 16) & 0xFFU);
        pixels[static_cast<std::size_t>(y * stride + x)] = 0xFF000000U | stored;
      }
    }
  }
  MonitorFrame frame() const {
    return {place, reinterpret_cast<const std::byte*>(pixels.data()),
            static_cast<std::ptrdiff_t>(stride * sizeof(Pixel)), order};
  }
  Pixel shownAt(int x, int y) const {  // in screen coordinates, 0x00RRGGBB
    return tag | (static_cast<Pixel>(x - place.left) << 8) | static_cast<Pixel>(y - place.top);
  }

  Rect place;
  Pixel tag;
  ChannelOrder order;
  int stride;
  std::vector<Pixel> pixels;
};

TEST(VirtualScreen, BoundsHoldEveryMonitorWhereverItIs) {
  const struct {
    std::vector<Rect> places;
    Rect bounds;
  } kCases[] = {
      {{}, {}},
      {{{0, 0, 1920, 1080}}, {0, 0, 1920, 1080}},
      {{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}}, {0, 0, 3200, 1080}},
      {{{0, 0, 800, 600}, {-1024, 200, 1024, 768}}, {-1024, 0, 1824, 968}},
  };
  for (const auto& c : kCases) {
    std::vector<MonitorFrame> monitors;
    for (const Rect& place : c.places) monitors.push_back({place});
    EXPECT_EQ(wayland::VirtualScreen::boundsOf(monitors), c.bounds);
  }
}

TEST(VirtualScreen, ReadsAcrossMonitorsInEitherByteOrderBlackBetween) {
  const FakeMonitor left({0, 0, 40, 30}, 0x100000, ChannelOrder::Bgr);
  const FakeMonitor right({40, 10, 30, 30}, 0x200000, ChannelOrder::Rgb);
  const std::vector<MonitorFrame> monitors{left.frame(), right.frame()};
  wayland::VirtualScreen screen;
  const Rect area{35, 5, 10, 10};
  const auto view = screen.read(monitors, area);
  ASSERT_TRUE(view);
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      const int sx = area.left + x;
      const int sy = area.top + y;
      const Pixel expected = sx < 40 ? left.shownAt(sx, sy) : sy >= 10 ? right.shownAt(sx, sy) : 0;
      EXPECT_EQ(view->row(y)[x] & 0xFFFFFFU, expected) << sx << "," << sy;
    }
  }
}

TEST(VirtualScreen, OneMonitorInTheProgramsOwnOrderIsReadInPlace) {
  const FakeMonitor only({100, 50, 40, 30}, 0x300000, ChannelOrder::Bgr);
  const std::vector<MonitorFrame> monitors{only.frame()};
  wayland::VirtualScreen screen;
  const auto view = screen.read(monitors, {110, 60, 5, 4});
  ASSERT_TRUE(view);
  EXPECT_EQ(view->pixels, only.pixels.data() + 10 * only.stride + 10)
      << "copied, not read in place";
  EXPECT_EQ(view->stride, only.stride);
  EXPECT_EQ(view->row(3)[4] & 0xFFFFFFU, only.shownAt(114, 63));
}

TEST(VirtualScreen, AMonitorWithoutAFrameUnderTheAreaCannotBeReadYet) {
  const FakeMonitor shown({0, 0, 40, 30}, 0x100000, ChannelOrder::Bgr);
  const std::vector<MonitorFrame> monitors{shown.frame(), MonitorFrame{{40, 0, 40, 30}}};
  wayland::VirtualScreen screen;
  EXPECT_FALSE(screen.read(monitors, {35, 0, 10, 10}));
  EXPECT_TRUE(screen.read(monitors, {0, 0, 10, 10})) << "the monitor with a frame is readable";
}

class KeptConsent : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/orvex-consent-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(root_); }
  static mode_t modeOf(const std::filesystem::path& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 ? (status.st_mode & 07777) : 0;
  }

  std::filesystem::path root_;
};

TEST_F(KeptConsent, SavedForTheUserAloneAndReadBack) {
  const wayland::RestoreTokenStore store(root_ / "state" / "orvex-capture" / "screencast-token");
  EXPECT_EQ(store.load(), "");
  ASSERT_TRUE(store.save("9f0c1e2a-7d4b-4c8e-a1f3-5b6c7d8e9f00"));
  EXPECT_EQ(store.load(), "9f0c1e2a-7d4b-4c8e-a1f3-5b6c7d8e9f00");
  EXPECT_EQ(modeOf(store.file()), 0600U);
  EXPECT_EQ(modeOf(store.file().parent_path()), 0700U);
  ASSERT_TRUE(store.save("another"));
  EXPECT_EQ(store.load(), "another");
  store.forget();
  EXPECT_EQ(store.load(), "");
}

TEST_F(KeptConsent, WhatIsNoTokenIsNeitherKeptNorReadBack) {
  const wayland::RestoreTokenStore store(root_ / "orvex-capture" / "screencast-token");
  for (const std::string& text : {std::string(), std::string("two words"),
                                  std::string("line\nbreak"), std::string(257, 'a')}) {
    EXPECT_FALSE(store.save(text)) << text;
    std::filesystem::create_directories(store.file().parent_path());
    std::ofstream(store.file()) << text;
    EXPECT_EQ(store.load(), "") << text;
  }
}

TEST_F(KeptConsent, UnderTheUsersStateDirectory) {
  setenv("XDG_STATE_HOME", root_.c_str(), 1);
  EXPECT_EQ(wayland::RestoreTokenStore::inUserState().file(),
            root_ / "orvex-capture" / "screencast-token");
  setenv("XDG_STATE_HOME", "relative/is/ignored", 1);
  const std::string home = std::getenv("HOME");
  setenv("HOME", root_.c_str(), 1);
  EXPECT_EQ(wayland::RestoreTokenStore::inUserState().file(),
            root_ / ".local" / "state" / "orvex-capture" / "screencast-token");
  setenv("HOME", home.c_str(), 1);
  unsetenv("XDG_STATE_HOME");
}

}  // namespace
