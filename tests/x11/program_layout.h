#pragma once

#include <QRect>
#include <cmath>

// Where the window's controls lie on the screen, worked out from its client area as a user
// sees the layout: the view on top down to 65 px above the bottom; the zoom read-out and the
// buttons Paint, ビデオ, カメラ, ヘルプ in a row 60 px above the bottom, each a fifth of the
// width wide, starting at 1/10, 3/10, 5/10, 7/10 of it; the lens bar 23 px above the bottom,
// 98 % of the width. Heights are those of this display's 15 twips per pixel, rounded down.
struct ProgramLayout {
  QRect view;
  QRect readOut;  // the part of the read-out left of the Paint button
  QRect paintButton;
  QRect videoButton;
  QRect cameraButton;
  QRect helpButton;
  QRect lensBar;
  QRect openStrip;  // between the row and the lens bar: the window's own background

  static ProgramLayout of(QRect client) {
    constexpr int kViewGap = 65;
    constexpr int kRowOffset = 60;
    constexpr int kRowHeight = 24;
    constexpr int kBarOffset = 23;
    constexpr int kBarHeight = 16;
    const int width = client.width();
    const int bottom = client.y() + client.height();
    const auto at = [&](double fraction) {
      return client.x() + static_cast<int>(std::lround(width * fraction));
    };
    const auto button = [&](double leftFraction) {
      return QRect(at(leftFraction), bottom - kRowOffset, at(leftFraction + 0.2) - at(leftFraction),
                   kRowHeight);
    };
    ProgramLayout layout;
    layout.view = QRect(client.x(), client.y(), width, client.height() - kViewGap);
    layout.readOut = QRect(at(0.01), bottom - kRowOffset, at(0.1) - at(0.01), kRowHeight);
    layout.paintButton = button(0.1);
    layout.videoButton = button(0.3);
    layout.cameraButton = button(0.5);
    layout.helpButton = button(0.7);
    layout.lensBar = QRect(at(0.01), bottom - kBarOffset, at(0.99) - at(0.01), kBarHeight);
    const int stripTop = bottom - kRowOffset + kRowHeight + 3;
    layout.openStrip = QRect(client.x(), stripTop, width, bottom - kBarOffset - 2 - stripTop);
    return layout;
  }
};
