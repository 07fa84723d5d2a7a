#include "user_images.h"

namespace {

constexpr QRgb kColourBits = 0xFFFFFF;
constexpr int kInkLuma = 96;

bool sameColour(QRgb a, QRgb b) { return ((a ^ b) & kColourBits) == 0; }

bool matchesAt(const QImage& haystack, const QImage& needle, QPoint at) {
  for (int y = 0; y < needle.height(); ++y) {
    for (int x = 0; x < needle.width(); ++x) {
      if (!sameColour(haystack.pixel(at.x() + x, at.y() + y), needle.pixel(x, y))) return false;
    }
  }
  return true;
}

}  // namespace

::testing::AssertionResult samePicture(const QImage& actual, const QImage& expected) {
  if (actual.size() != expected.size()) {
    return ::testing::AssertionFailure()
           << "picture is " << actual.width() << "x" << actual.height() << ", expected "
           << expected.width() << "x" << expected.height();
  }
  int mismatches = 0;
  QPoint first;
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) {
      if (sameColour(actual.pixel(x, y), expected.pixel(x, y))) continue;
      if (mismatches++ == 0) first = QPoint(x, y);
    }
  }
  if (mismatches == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << mismatches << " of " << actual.width() * actual.height() << " pixels differ; first at ("
         << first.x() << ", " << first.y() << "): " << std::hex
         << (actual.pixel(first) & kColourBits) << " instead of "
         << (expected.pixel(first) & kColourBits);
}

bool uniform(const QImage& picture, QRect area) {
  const QRect inside = area.intersected(picture.rect());
  if (inside.isEmpty()) return false;
  return countColour(picture, inside, picture.pixel(inside.topLeft())) ==
         inside.width() * inside.height();
}

int countColour(const QImage& picture, QRect area, QRgb colour) {
  const QRect inside = area.intersected(picture.rect());
  int count = 0;
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if (sameColour(picture.pixel(x, y), colour)) ++count;
    }
  }
  return count;
}

QImage inkOf(const QImage& picture, QRect area) {
  const QRect inside = area.intersected(picture.rect());
  QRect box;
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if (qGray(picture.pixel(x, y)) < kInkLuma) box |= QRect(x, y, 1, 1);
    }
  }
  QImage ink(box.size(), QImage::Format_Grayscale8);
  ink.fill(Qt::white);
  for (int y = 0; y < box.height(); ++y) {
    for (int x = 0; x < box.width(); ++x) {
      if (qGray(picture.pixel(box.topLeft() + QPoint(x, y))) < kInkLuma)
        ink.setPixel(x, y, qRgb(0, 0, 0));
    }
  }
  return ink;
}

std::optional<QPoint> find(const QImage& haystack, const QImage& needle) {
  for (int y = 0; y + needle.height() <= haystack.height(); ++y) {
    for (int x = 0; x + needle.width() <= haystack.width(); ++x) {
      if (matchesAt(haystack, needle, QPoint(x, y))) return QPoint(x, y);
    }
  }
  return std::nullopt;
}
