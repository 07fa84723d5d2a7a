#include "platform/graphics/stretch_copy.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

namespace {

using graphics::Bitmap;
using graphics::Pixel;
using graphics::Rect;

Bitmap noise(int width, int height, std::mt19937& random) {
  Bitmap bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bitmap.set(x, y, random() & 0xFFFFFFU);
  }
  return bitmap;
}

// The copy as it is defined, one destination pixel at a time, with no clipping cleverness.
void referenceStretch(Bitmap& target, const Rect& dest, const Bitmap& source, const Rect& from) {
  for (int y = 0; y < target.height(); ++y) {
    for (int x = 0; x < target.width(); ++x) {
      if (x < dest.left || x >= dest.right() || y < dest.top || y >= dest.bottom()) continue;
      const auto sx =
          from.left + static_cast<int>(std::int64_t{x - dest.left} * from.width / dest.width);
      const auto sy =
          from.top + static_cast<int>(std::int64_t{y - dest.top} * from.height / dest.height);
      const bool inside = sx >= 0 && sy >= 0 && sx < source.width() && sy < source.height();
      target.set(x, y, inside ? source.at(sx, sy) : graphics::kBlack);
    }
  }
}

// Remembers what was read, to prove that only the pixels that land are fetched.
class CountingSource final : public graphics::PixelSource {
 public:
  explicit CountingSource(const Bitmap& bitmap) : inner_(bitmap) {}
  Rect bounds() const override { return inner_.bounds(); }
  graphics::PixelView read(const Rect& area) override {
    ++reads;
    lastArea = area;
    if (failing) throw std::runtime_error("the read failed");
    return inner_.read(area);
  }
  int reads = 0;
  Rect lastArea;
  bool failing = false;

 private:
  graphics::BitmapSource inner_;
};

TEST(StretchCopy, MatchesTheReferenceOnRandomCopies) {
  std::mt19937 random(20261207);
  const Bitmap screen = noise(320, 200, random);
  const int zoomNumerators[] = {1, 2, 3, 5, 10, 15, 20, 40};
  graphics::StretchScratch scratch;
  for (int round = 0; round < 400; ++round) {
    const int viewWidth = 1 + static_cast<int>(random() % 90);
    const int viewHeight = 1 + static_cast<int>(random() % 70);
    const bool tenths = random() % 4 != 0;
    const int num = tenths ? zoomNumerators[random() % 8] : 1;
    const int den = tenths ? 10 : 1;
    // Extents as the program forms them: the view's size times the zoom pair, placed anywhere,
    // partly off the screen or partly off the target.
    const Rect dest{static_cast<int>(random() % 21) - 10, static_cast<int>(random() % 21) - 10,
                    viewWidth * num, viewHeight * num};
    const Rect from{static_cast<int>(random() % 400) - 40, static_cast<int>(random() % 260) - 30,
                    viewWidth * den, viewHeight * den};
    Bitmap expected(viewWidth + static_cast<int>(random() % 20),
                    viewHeight + static_cast<int>(random() % 20), 0x123456);
    Bitmap actual = expected;
    referenceStretch(expected, dest, screen, from);
    CountingSource source(screen);
    graphics::stretchCopy(actual, dest, source, from, scratch);
    ASSERT_EQ(actual, expected) << "round " << round << " zoom " << num << "/" << den << " dest ("
                                << dest.left << "," << dest.top << ") from (" << from.left << ","
                                << from.top << ") view " << viewWidth << "x" << viewHeight;
  }
}

TEST(StretchCopy, ReadsOnlyTheSourcePixelsThatLandInTheTarget) {
  const Bitmap screen(1920, 1080, 0x808080);
  Bitmap view(351, 240);
  graphics::StretchScratch scratch;

  CountingSource atZoom4(screen);
  // Zoom 40/10: the nominal source is ten times the view, but a quarter of the view shows.
  graphics::stretchCopy(view, {0, 0, 351 * 40, 240 * 40}, atZoom4, {100, 100, 3510, 2400}, scratch);
  EXPECT_EQ(atZoom4.reads, 1);
  EXPECT_EQ(atZoom4.lastArea, (Rect{100, 100, 88, 60}));

  CountingSource nearTheEdge(screen);
  graphics::stretchCopy(view, {0, 0, 351, 240}, nearTheEdge, {1800, 1000, 351, 240}, scratch);
  EXPECT_EQ(nearTheEdge.lastArea, (Rect{1800, 1000, 120, 80}));
  EXPECT_EQ(view.at(119, 79), 0x808080U);
  EXPECT_EQ(view.at(120, 0), graphics::kBlack);
  EXPECT_EQ(view.at(0, 80), graphics::kBlack);

  CountingSource offScreen(screen);
  graphics::stretchCopy(view, {0, 0, 351, 240}, offScreen, {-500, -500, 351, 240}, scratch);
  EXPECT_EQ(offScreen.reads, 0);
  EXPECT_EQ(view.at(200, 200), graphics::kBlack);
}

TEST(StretchCopy, DrawsNothingForEmptyExtentsOrAFailedRead) {
  const Bitmap screen(64, 64, 0xFFFFFF);
  Bitmap view(10, 10, 0x111111);
  const Bitmap before = view;
  graphics::StretchScratch scratch;
  CountingSource source(screen);
  graphics::stretchCopy(view, {0, 0, 0, 10}, source, {0, 0, 0, 10}, scratch);
  graphics::stretchCopy(view, {20, 20, 10, 10}, source, {0, 0, 10, 10}, scratch);
  EXPECT_EQ(source.reads, 0);
  source.failing = true;
  EXPECT_THROW(graphics::stretchCopy(view, {0, 0, 10, 10}, source, {0, 0, 10, 10}, scratch),
               std::runtime_error);
  EXPECT_EQ(view, before);
}

TEST(Bitmap, ResizeKeepsTheTopLeftAndFillsTheRest) {
  Bitmap bitmap(3, 2, 0x010101);
  bitmap.set(2, 1, 0xABCDEF);
  bitmap.resize({5, 3}, 0x202020);
  EXPECT_EQ(bitmap.at(2, 1), 0xABCDEFU);
  EXPECT_EQ(bitmap.at(4, 1), 0x202020U);
  EXPECT_EQ(bitmap.at(0, 2), 0x202020U);
  bitmap.resize({1, 1}, 0);
  EXPECT_EQ(bitmap.at(0, 0), 0x010101U);
}

TEST(Bitmap, AClearIsSeenByEveryReader) {
  Bitmap bitmap(4, 3, 0x010101);
  bitmap.set(1, 1, 0xABCDEF);
  bitmap.fill(0x202020);
  EXPECT_EQ(bitmap.at(1, 1), 0x202020U);
  EXPECT_EQ(bitmap.at(3, 2), 0x202020U);
  EXPECT_EQ(bitmap.view().row(2)[3], 0x202020U);

  bitmap.fill(0x404040);
  const Bitmap copy = bitmap;
  EXPECT_EQ(copy.at(1, 1), 0x404040U);
  bitmap.fill(0x505050);
  bitmap.resize({6, 3}, 0x606060);
  EXPECT_EQ(bitmap.at(3, 0), 0x505050U) << "the clear belongs to the pixels from before";
  EXPECT_EQ(bitmap.at(5, 0), 0x606060U);
}

}  // namespace
