#include "platform/win32/desktop/screen_metrics.h"

#include <windows.h>

namespace win32 {
namespace {

constexpr float kTwipsPerInch = 1440.0F;
constexpr int kDefaultDotsPerInch = 96;

int screenResolution(int index) {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 0;
  const int dotsPerInch = GetDeviceCaps(screen, index);
  ReleaseDC(nullptr, screen);
  return dotsPerInch;
}

}  // namespace

float twipsPerPixel(int dotsPerInch) {
  return kTwipsPerInch / static_cast<float>(dotsPerInch > 0 ? dotsPerInch : kDefaultDotsPerInch);
}

ScreenMetrics::ScreenMetrics()
    : x_(twipsPerPixel(screenResolution(LOGPIXELSX))),
      y_(twipsPerPixel(screenResolution(LOGPIXELSY))) {}

}  // namespace win32
