#pragma once

#include "platform/desktop/desktop.h"

namespace bench {

// The real desktop with a pointer that stays where the benchmark puts it, so that every
// iteration reads the same screen area whatever the real pointer does.
class FixedCursorDesktop final : public platform::Desktop, private platform::Pointer {
 public:
  explicit FixedCursorDesktop(platform::Desktop& real) : real_(real) {}

  void placeCursor(platform::PointApi cursor) { cursor_ = cursor; }

  platform::Pointer& pointer() override { return *this; }
  platform::ScreenCopy& screenCopy() override { return real_.screenCopy(); }
  platform::WindowRegions& windowRegions() override { return real_.windowRegions(); }
  platform::PaintProgram& paintProgram() override { return real_.paintProgram(); }
  platform::Clipboard& clipboard() override { return real_.clipboard(); }
  platform::Screen& screen() override { return real_.screen(); }
  void Beep() override { real_.Beep(); }

 private:
  std::int32_t GetCursorPos(platform::PointApi& point) override {
    point = cursor_;
    return 1;
  }

  platform::Desktop& real_;
  platform::PointApi cursor_;
};

}  // namespace bench
