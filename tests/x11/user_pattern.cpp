#include "user_pattern.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstdlib>

#include "screen_colours.h"
#include "user_connection.h"

namespace {

// A fixed seed: the same noise on every run.
QRgb noiseAt(int x, int y) {
  std::uint64_t value = (static_cast<std::uint64_t>(x) << 32U) ^ static_cast<std::uint64_t>(y);
  value += 0x9E3779B97F4A7C15ULL;
  value = (value ^ (value >> 30U)) * 0xBF58476D1CE4E5B9ULL;
  value = (value ^ (value >> 27U)) * 0x94D049BB133111EBULL;
  value ^= value >> 31U;
  return static_cast<QRgb>(0xFF000000ULL | (value & 0xFFFFFFULL));
}

QImage noise(QSize size) {
  QImage picture(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < size.width(); ++x) row[x] = noiseAt(x, y);
  }
  return picture;
}

// What a screen of fewer bits per channel shows of `picture`.
QImage asShown(QImage picture, const ScreenColours& colours) {
  for (int y = 0; y < picture.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x)
      row[x] = 0xFF000000U | colours.shown(row[x] & 0xFFFFFFU);
  }
  return picture;
}

// The window's background is the pattern itself, so the server repaints it on every expose.
Pixmap pixmapOf(Display* display, Window root, const QImage& picture) {
  const ScreenColours colours(display);
  const int screen = DefaultScreen(display);
  const auto depth = static_cast<unsigned>(DefaultDepth(display, screen));
  const auto width = static_cast<unsigned>(picture.width());
  const auto height = static_cast<unsigned>(picture.height());
  const Pixmap pixmap = XCreatePixmap(display, root, width, height, depth);
  XImage* image = XCreateImage(display, DefaultVisual(display, screen), depth, ZPixmap, 0, nullptr,
                               width, height, 32, 0);
  image->data =
      static_cast<char*>(std::malloc(static_cast<std::size_t>(image->bytes_per_line) * height));
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x)
      XPutPixel(image, x, y, colours.pixelFor(picture.pixel(x, y) & 0xFFFFFFU));
  }
  const GC gc = XCreateGC(display, pixmap, 0, nullptr);
  XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, width, height);
  XFreeGC(display, gc);
  XDestroyImage(image);  // frees the pixels too
  return pixmap;
}

}  // namespace

ScreenPattern::ScreenPattern(const UserConnection& connection, QRect place)
    : connection_(connection), place_(place) {
  Display* display = connection_.display();
  const QImage drawn = noise(place.size());
  picture_ = asShown(drawn, ScreenColours(display));
  pixmap_ = pixmapOf(display, connection_.root(), drawn);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixmap = pixmap_;
  window_ = XCreateWindow(display, connection_.root(), place.x(), place.y(),
                          static_cast<unsigned>(place.width()),
                          static_cast<unsigned>(place.height()), 0, CopyFromParent, InputOutput,
                          CopyFromParent, CWOverrideRedirect | CWBackPixmap, &attributes);
  connection_.sync();
}

ScreenPattern::~ScreenPattern() {
  XDestroyWindow(connection_.display(), window_);
  XFreePixmap(connection_.display(), pixmap_);
  connection_.sync();
}

void ScreenPattern::show() const {
  XMapRaised(connection_.display(), window_);
  connection_.sync();
}

void ScreenPattern::hide() const {
  XUnmapWindow(connection_.display(), window_);
  connection_.sync();
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
