#pragma once

#include <windows.h>

#include <chrono>
#include <optional>

#include "platform/graphics/bitmap.h"

namespace wine_test {

// The stand-in Paint (programs/stand_in_paint.cpp) at the classic Paint path inside the Wine
// prefix, "C:\Program Files\Accessories\MSPAINT.EXE", for as long as this lives: what a start
// of Paint starts there. It pastes on Ctrl+V and writes what it pasted beside itself. Or, at
// that path, another program (the launcher, programs/launcher.cpp), with the stand-in beside it
// at kBeside.
class StandInPaint {
 public:
  static constexpr const wchar_t* kBeside = LR"(C:\Program Files\Accessories\STANDIN.EXE)";

  explicit StandInPaint(const wchar_t* atClassicPath = ORVEX_TEST_PAINT_PROGRAM);
  // Closes every stand-in window and removes the programs and what the stand-in wrote.
  ~StandInPaint();
  StandInPaint(const StandInPaint&) = delete;
  StandInPaint& operator=(const StandInPaint&) = delete;

  bool installed() const { return installed_; }
  // The picture it pasted, once it has, waiting up to `timeout`; nothing if it has not.
  std::optional<graphics::Bitmap> pasted(std::chrono::milliseconds timeout) const;
  // Its main window, if one is open.
  static HWND window();
  // Starts it ourselves (the copy at kBeside); true once its window is in the foreground.
  bool start() const;
  // How many processes of the program at the classic path run.
  static int running();

 private:
  bool installed_ = false;
};

}  // namespace wine_test
