#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QRectF>
#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/artwork.h"

namespace {

constexpr int kWidth = 351;
constexpr int kHeight = 241;
const QColor kBackground(255, 255, 128);
const QString kFontFamily = QStringLiteral("IPAPGothic");

// The window shows the card in a box of 4212 × 2892 twips cut to the ellipse inscribed 10
// pixels inside it, with the icon box of 408 × 408 twips centred over it 50 pixels below the
// middle. In pixels both depend on the screen's resolution, so the text must read clear of
// the outline and of the icon box at every common one: 96, 120 and 144 dpi.
constexpr std::array<double, 3> kTwipsPerPixel{15, 12, 10};
constexpr double kCardWidthTwips = 4212;
constexpr double kCardHeightTwips = 2892;
constexpr double kIconSideTwips = 408;
constexpr double kIconDrop = 50;
constexpr double kOutlineInset = 10;
// Text keeps this clear of the outline; the icon box may land a pixel either way when the
// window rounds its place.
constexpr double kOutlineMargin = 5;
constexpr double kIconMargin = 2;

struct Line {
  QString text;
  int pixelSize;
  bool emphasised;  // bold italic
  int baseline;
};

// Where the card shows at one resolution, in the card's own pixels.
struct Showing {
  QRectF outline;  // the ellipse's bounding box
  QRectF iconBox;
};

Showing showingAt(double twipsPerPixel) {
  const double width = kCardWidthTwips / twipsPerPixel;
  const double height = kCardHeightTwips / twipsPerPixel;
  const double icon = kIconSideTwips / twipsPerPixel;
  const QRectF outline(
      QPointF(kOutlineInset, kOutlineInset),
      QPointF(std::nearbyint(width - kOutlineInset), std::nearbyint(height - kOutlineInset)));
  const QRectF iconBox((width - icon) / 2, (height - icon) / 2 + kIconDrop, icon, icon);
  return {outline, iconBox};
}

bool insideEllipse(const QRectF& bounds, double margin, int x, int y) {
  const double dx = (x + 0.5 - bounds.center().x()) / (bounds.width() / 2 - margin);
  const double dy = (y + 0.5 - bounds.center().y()) / (bounds.height() / 2 - margin);
  return dx * dx + dy * dy <= 1.0;
}

// The middle of the part of row `y` that every resolution shows inside its outline.
int visibleMiddle(int y) {
  int left = kWidth;
  int right = -1;
  for (int x = 0; x < kWidth; ++x) {
    bool everywhere = true;
    for (const double twipsPerPixel : kTwipsPerPixel) {
      everywhere =
          everywhere && insideEllipse(showingAt(twipsPerPixel).outline, kOutlineMargin, x, y);
    }
    if (!everywhere) continue;
    left = std::min(left, x);
    right = std::max(right, x);
  }
  if (right < left) throw std::runtime_error("no row " + std::to_string(y) + " shows everywhere");
  return (left + right) / 2;
}

QFont fontFor(const Line& line) {
  QFont font(kFontFamily);
  font.setPixelSize(line.pixelSize);
  font.setBold(line.emphasised);
  font.setItalic(line.emphasised);
  // Crisp two-colour text, as the card has always looked.
  font.setStyleStrategy(QFont::NoAntialias);
  // A substitute font would quietly give another card; refuse instead.
  if (QFontInfo(font).family() != kFontFamily)
    throw std::runtime_error("font IPAPGothic is not installed");
  return font;
}

void requireTextReadableEverywhere(const QImage& card) {
  for (const double twipsPerPixel : kTwipsPerPixel) {
    const Showing showing = showingAt(twipsPerPixel);
    const QRectF covered =
        showing.iconBox.adjusted(-kIconMargin, -kIconMargin, kIconMargin, kIconMargin);
    for (int y = 0; y < card.height(); ++y) {
      for (int x = 0; x < card.width(); ++x) {
        if (card.pixelColor(x, y) == kBackground) continue;
        const std::string where = " at (" + std::to_string(x) + ", " + std::to_string(y) + ") at " +
                                  std::to_string(1440 / twipsPerPixel) + " dpi";
        if (!insideEllipse(showing.outline, kOutlineMargin, x, y)) {
          throw std::runtime_error("about card text reaches outside the ellipse" + where);
        }
        if (covered.intersects(QRectF(x, y, 1, 1))) {
          throw std::runtime_error("about card text lies under the icon box" + where);
        }
      }
    }
  }
}

}  // namespace

QImage aboutCard() {
  // Above the icon box, centred on what every resolution shows of the rows they take.
  const int kTextMiddle = visibleMiddle(96);
  const std::vector<Line> lines{
      {QStringLiteral("Orvex画面キャプチャー"), 16, true, 64},
      {QStringLiteral("対応OS: Windows 95 / 98"), 13, false, 81},
      {QStringLiteral("Copyright (C) 1999 Orvex"), 12, false, 96},
      {QStringLiteral("All rights reserved."), 12, false, 109},
      {QStringLiteral("1999年12月 完成"), 13, false, 125},
  };
  QImage card(kWidth, kHeight, QImage::Format_RGB32);
  card.fill(kBackground);
  QPainter painter(&card);
  painter.setPen(Qt::black);
  for (const Line& line : lines) {
    const QFont font = fontFor(line);
    painter.setFont(font);
    const int textWidth = QFontMetrics(font).horizontalAdvance(line.text);
    painter.drawText(kTextMiddle - textWidth / 2, line.baseline, line.text);
  }
  painter.end();
  requireTextReadableEverywhere(card);
  return card;
}
