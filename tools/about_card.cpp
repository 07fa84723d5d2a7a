#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/artwork.h"

namespace {

constexpr int kWidth = 351;
constexpr int kHeight = 241;
const QColor kBackground(255, 255, 128);
const QString kFontFamily = QStringLiteral("IPAPGothic");

// The window shows the card cut to the ellipse inscribed in (10, 10)–(341, 231); text keeps
// a few pixels clear of its edge.
constexpr double kCentreX = 175.5;
constexpr double kCentreY = 120.5;
constexpr double kRadiusX = 165.5 - 8;
constexpr double kRadiusY = 110.5 - 8;

struct Line {
  QString text;
  int pixelSize;
  bool emphasised;  // bold italic
  int baseline;
};

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

bool insideVisibleEllipse(int x, int y) {
  const double dx = (x + 0.5 - kCentreX) / kRadiusX;
  const double dy = (y + 0.5 - kCentreY) / kRadiusY;
  return dx * dx + dy * dy <= 1.0;
}

void requireTextInsideEllipse(const QImage& card) {
  for (int y = 0; y < card.height(); ++y) {
    for (int x = 0; x < card.width(); ++x) {
      if (card.pixelColor(x, y) != kBackground && !insideVisibleEllipse(x, y)) {
        throw std::runtime_error("about card text reaches outside the ellipse at (" +
                                 std::to_string(x) + ", " + std::to_string(y) + ")");
      }
    }
  }
}

}  // namespace

QImage aboutCard() {
  const std::vector<Line> lines{
      {QStringLiteral("Orvex画面キャプチャー"), 24, true, 82},
      {QStringLiteral("対応OS: Windows 95 / 98"), 14, false, 124},
      {QStringLiteral("Copyright (C) 1999 Orvex  All rights reserved."), 12, false, 152},
      {QStringLiteral("1999年12月 完成"), 14, false, 184},
  };
  QImage card(kWidth, kHeight, QImage::Format_RGB32);
  card.fill(kBackground);
  QPainter painter(&card);
  painter.setPen(Qt::black);
  for (const Line& line : lines) {
    const QFont font = fontFor(line);
    painter.setFont(font);
    const int textWidth = QFontMetrics(font).horizontalAdvance(line.text);
    painter.drawText((kWidth - textWidth) / 2, line.baseline, line.text);
  }
  painter.end();
  requireTextInsideEllipse(card);
  return card;
}
