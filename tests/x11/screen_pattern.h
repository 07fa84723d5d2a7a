#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>
#include <functional>

class TestDisplay;

// A picture on the screen, in a window of the tests' own that the window manager leaves alone,
// drawn by a pixel function. Its picture is what the screen shows of it: each channel cut to
// the screen's bits (on a 16-bit or 30-bit screen).
class ScreenPattern {
 public:
  // The colour (0x00RRGGBB) at (x, y) of the pattern, (0, 0) its top left corner.
  using PixelAt = std::function<std::uint32_t(int x, int y)>;

  // Drawn at `place`, not shown yet.
  ScreenPattern(const TestDisplay& display, QRect place, const PixelAt& pixelAt);
  ~ScreenPattern();
  ScreenPattern(const ScreenPattern&) = delete;
  ScreenPattern& operator=(const ScreenPattern&) = delete;

  QRect place() const { return place_; }
  // What the screen shows, as Format_RGB32.
  const QImage& picture() const { return picture_; }
  // What the screen shows at (x, y) of the screen, a point the pattern covers: 0x00RRGGBB.
  std::uint32_t shownAt(int x, int y) const;
  // Returns once it shows above every other window.
  void show() const;
  void hide() const;

  // What a view shows of the pattern from `screenTopLeft` on, magnified `zoom` times, nearest
  // neighbour, over `size`, black beyond the pattern: pixel (x, y) comes from screenTopLeft +
  // (x / zoom, y / zoom).
  QImage magnified(QPoint screenTopLeft, QSize size, int zoom) const;

 private:
  const TestDisplay& display_;
  QRect place_;
  QImage picture_;
  unsigned long pixmap_ = 0;
  unsigned long window_ = 0;
};

// Noise: every pixel differs from its neighbours, so a capture can be checked pixel by pixel
// and a picture found again wherever it is pasted. The same on every run.
std::uint32_t noiseAt(int x, int y);
