// The view's picture in buffers shared with the compositor must hold the same pixels as the
// portable picture in memory, whatever the compositor holds meanwhile. Runs on a Wayland
// session's compositor (with_headless_gnome.sh).
#include "platform/wayland/shm_surface.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/wayland/compositor_globals.h"

namespace {

using graphics::Rect;
using graphics::Size;
using Step = std::function<void(graphics::Surface&)>;

const graphics::Bitmap& noise() {
  static const graphics::Bitmap picture = [] {
    graphics::Bitmap made(64, 48);
    for (int y = 0; y < made.height(); ++y) {
      for (int x = 0; x < made.width(); ++x) made.set(x, y, (x * 7919U + y * 104729U) & 0xFFFFFFU);
    }
    return made;
  }();
  return picture;
}

class FailingSource final : public graphics::PixelSource {
 public:
  Rect bounds() const override { return {0, 0, 64, 48}; }
  graphics::PixelView read(const Rect& /*area*/) override {
    throw std::runtime_error("unreadable");
  }
};

Step resize(Size size, graphics::Pixel fill) {
  return [=](graphics::Surface& surface) { surface.resize(size, fill); };
}
Step clear(graphics::Pixel colour) {
  return [=](graphics::Surface& surface) { surface.fill(colour); };
}
Step stretch(Rect dest, Rect from) {
  return [=](graphics::Surface& surface) {
    graphics::BitmapSource source(noise());
    surface.stretchFrom(dest, source, from);
  };
}
Step failingStretch() {
  return [](graphics::Surface& surface) {
    FailingSource source;
    EXPECT_THROW(surface.stretchFrom({0, 0, 10, 10}, source, {0, 0, 10, 10}), std::runtime_error);
  };
}
// The compositor takes the picture shown and keeps it.
const Step kHeld = nullptr;

struct Row {
  std::string what;
  std::vector<Step> steps;
};

TEST(ShmSurface, HoldsWhatThePictureInMemoryHolds) {
  const std::unique_ptr<wayland::CompositorGlobals> globals =
      wayland::CompositorGlobals::ofQtConnection();
  ASSERT_NE(globals, nullptr) << "no subsurfaces or shared memory on this compositor";
  const Step wholeZoom1 = stretch({0, 0, 40, 30}, {3, 2, 40, 30});
  const std::vector<Row> rows = {
      {"a clear, then a stretch over part of it",
       {resize({40, 30}, 0xFF0000), clear(0x0000FF), stretch({5, 5, 10, 10}, {0, 0, 5, 5})}},
      {"part-stretches while the compositor holds every buffer",
       {resize({40, 30}, 0xFF0000), wholeZoom1, kHeld, stretch({0, 0, 20, 20}, {30, 20, 10, 10}),
        kHeld, stretch({20, 10, 20, 20}, {0, 0, 20, 20}), kHeld,
        stretch({10, 10, 8, 8}, {50, 40, 8, 8}), kHeld, stretch({-5, -5, 20, 20}, {0, 0, 20, 20})}},
      {"a clear shown, then part-stretched",
       {resize({40, 30}, 0xFF0000), wholeZoom1, kHeld, clear(0x00FF00), kHeld,
        stretch({0, 0, 10, 10}, {0, 0, 10, 10})}},
      {"growing and shrinking keep the top left",
       {resize({20, 10}, 0xFF0000), stretch({0, 0, 20, 10}, {0, 0, 20, 10}), kHeld,
        resize({30, 25}, 0x00FF00), resize({12, 30}, 0x0000FF)}},
      {"a clear resized keeps its colour where it was",
       {resize({20, 10}, 0xFF0000), clear(0x0000FF), resize({30, 20}, 0x00FF00)}},
      {"emptied and grown again",
       {resize({20, 10}, 0xFF0000), wholeZoom1, resize({0, 10}, 0), resize({8, 8}, 0x123456)}},
      {"a failed read leaves the picture",
       {resize({40, 30}, 0xFF0000), wholeZoom1, kHeld, failingStretch()}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    wayland::ShmSurface shared(*globals);
    graphics::BitmapSurface memory;
    for (const Step& step : row.steps) {
      if (step) {
        step(shared);
        step(memory);
      } else if (wayland::ShmBuffer* frame = shared.frame()) {
        frame->handedOver();
      }
    }
    EXPECT_EQ(shared.pixels(), memory.pixels());
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "wayland");
  QGuiApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
