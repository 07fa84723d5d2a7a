#pragma once

#include "platform/desktop.h"

namespace bench {

// The real desktop with a pointer that stays where the benchmark puts it, so that every
// iteration reads the same screen area whatever the real pointer does.
class FixedCursorDesktop final : public platform::Desktop {
 public:
  explicit FixedCursorDesktop(platform::Desktop& real) : real_(real) {}

  void placeCursor(platform::PointApi cursor) { cursor_ = cursor; }

  std::int32_t GetCursorPos(platform::PointApi& point) override {
    point = cursor_;
    return 1;
  }

  platform::Clipboard& clipboard() override { return real_.clipboard(); }
  platform::Screen& screen() override { return real_.screen(); }
  platform::Hdc GetDC(platform::Hwnd window) override { return real_.GetDC(window); }
  std::int32_t ReleaseDC(platform::Hwnd window, platform::Hdc dc) override {
    return real_.ReleaseDC(window, dc);
  }
  std::int32_t StretchBlt(platform::Hdc dest, std::int32_t x, std::int32_t y, std::int32_t width,
                          std::int32_t height, platform::Hdc source, std::int32_t sourceX,
                          std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight,
                          std::uint32_t rasterOp) override {
    return real_.StretchBlt(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                            sourceHeight, rasterOp);
  }
  platform::Hrgn CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                   std::int32_t bottom) override {
    return real_.CreateEllipticRgn(left, top, right, bottom);
  }
  std::int32_t SetWindowRgn(platform::Hwnd window, platform::Hrgn region,
                            std::int32_t redraw) override {
    return real_.SetWindowRgn(window, region, redraw);
  }
  double Shell(const std::string& path, int windowStyle) override {
    return real_.Shell(path, windowStyle);
  }
  void SendKeys(const std::string& keys, bool wait) override { real_.SendKeys(keys, wait); }
  void Beep() override { real_.Beep(); }

 private:
  platform::Desktop& real_;
  platform::PointApi cursor_;
};

}  // namespace bench
