#pragma once

#include <QImage>
#include <QRect>

class UserConnection;

// Noise on the screen, in a window of the tests' own that the window manager leaves alone:
// every pixel differs from its neighbours, so a capture can be checked pixel by pixel and a
// picture found again wherever it is pasted. The picture is the noise as the screen shows it
// (on a 16-bit screen, each channel cut to its bits).
class ScreenPattern {
 public:
  ScreenPattern(const UserConnection& connection, QRect place);
  ~ScreenPattern();
  ScreenPattern(const ScreenPattern&) = delete;
  ScreenPattern& operator=(const ScreenPattern&) = delete;

  QRect place() const { return place_; }
  const QImage& picture() const { return picture_; }
  void show() const;
  void hide() const;

  // What a view shows of the pattern from `screenTopLeft` on, magnified `zoom` times, nearest
  // neighbour, over `size`: pixel (x, y) comes from screenTopLeft + (x / zoom, y / zoom).
  QImage magnified(QPoint screenTopLeft, QSize size, int zoom) const;

 private:
  const UserConnection& connection_;
  QRect place_;
  QImage picture_;
  unsigned long pixmap_ = 0;
  unsigned long window_ = 0;
};
