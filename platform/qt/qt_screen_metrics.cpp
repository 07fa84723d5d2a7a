#include "platform/qt/qt_screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace qtplatform {
namespace {

constexpr float kTwipsPerInch = 1440.0F;
// What a screen without a reported resolution is taken for.
constexpr double kDefaultDotsPerInch = 96.0;

float twipsPerPixel(double dotsPerInch) {
  return kTwipsPerInch / static_cast<float>(dotsPerInch > 0 ? dotsPerInch : kDefaultDotsPerInch);
}

const QScreen* primaryScreen() {
  return QGuiApplication::instance() != nullptr ? QGuiApplication::primaryScreen() : nullptr;
}

}  // namespace

float QtScreenMetrics::TwipsPerPixelX() const {
  const QScreen* screen = primaryScreen();
  return twipsPerPixel(screen != nullptr ? screen->logicalDotsPerInchX() : kDefaultDotsPerInch);
}

float QtScreenMetrics::TwipsPerPixelY() const {
  const QScreen* screen = primaryScreen();
  return twipsPerPixel(screen != nullptr ? screen->logicalDotsPerInchY() : kDefaultDotsPerInch);
}

}  // namespace qtplatform
