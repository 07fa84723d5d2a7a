#include "screen_pattern.h"

#include <X11/Xlib.h>

#include <vector>

#include "screen_colours.h"
#include "test_display.h"

std::uint32_t noiseAt(int x, int y) {
  std::uint64_t value = (static_cast<std::uint64_t>(x) << 32U) ^ static_cast<std::uint64_t>(y);
  value += 0x9E3779B97F4A7C15ULL;
  value = (value ^ (value >> 30U)) * 0xBF58476D1CE4E5B9ULL;
  value = (value ^ (value >> 27U)) * 0x94D049BB133111EBULL;
  value ^= value >> 31U;
  return static_cast<std::uint32_t>(value & 0xFFFFFFULL);
}

// The window's background is the pattern itself, so the server repaints it on every expose.
ScreenPattern::ScreenPattern(const TestDisplay& display, QRect place, const PixelAt& pixelAt)
    : display_(display), place_(place), picture_(place.size(), QImage::Format_RGB32) {
  const ScreenColours colours(display_.get());
  std::vector<unsigned long> values;
  values.reserve(static_cast<std::size_t>(place.width()) * place.height());
  for (int y = 0; y < place.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture_.scanLine(y));
    for (int x = 0; x < place.width(); ++x) {
      values.push_back(colours.pixelFor(pixelAt(x, y)));
      row[x] = 0xFF000000U | colours.shownBy(values.back());
    }
  }
  pixmap_ = display_.pixmapOfValues(values, place.width(), place.height());
  window_ =
      display_.createUnmanagedWindow(place.x(), place.y(), place.width(), place.height(), pixmap_);
  display_.sync();
}

ScreenPattern::~ScreenPattern() {
  XDestroyWindow(display_.get(), window_);
  XFreePixmap(display_.get(), pixmap_);
  display_.sync();
}

std::uint32_t ScreenPattern::shownAt(int x, int y) const {
  const auto* row = reinterpret_cast<const QRgb*>(picture_.constScanLine(y - place_.y()));
  return row[x - place_.x()] & 0xFFFFFFU;
}

void ScreenPattern::show() const { display_.mapRaised(window_); }

void ScreenPattern::hide() const {
  XUnmapWindow(display_.get(), window_);
  display_.sync();
}

QImage ScreenPattern::magnified(QPoint screenTopLeft, QSize size, int zoom) const {
  QImage view(size, QImage::Format_RGB32);
  view.fill(Qt::black);
  const QPoint origin = screenTopLeft - place_.topLeft();
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) {
      const QPoint source = origin + QPoint(x / zoom, y / zoom);
      if (picture_.rect().contains(source)) view.setPixel(x, y, picture_.pixel(source));
    }
  }
  return view;
}
