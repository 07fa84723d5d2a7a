#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/desktop/desktop.h"
#include "platform/desktop/device_contexts.h"
#include "platform/desktop/elliptic_regions.h"
#include "platform/desktop/start_and_paste.h"
#include "tests/support/fake_clipboard.h"
#include "tests/support/headless_timer.h"
#include "tests/support/synthetic_screen.h"

namespace fake {

// The desktop as the tests see it: a synthetic screen of known pixels, a pointer the test moves,
// a clipboard that remembers, a paint program that behaves as told, and records of beeps,
// paint program starts and pastes. Device contexts, the stretching copy, regions and the
// start-and-paste hand-off are the real ones; the hand-off's timer runs on a clock of the
// desktop's own.
class FakeDesktop final : public platform::Desktop, private platform::Pointer {
 public:
  // How the paint program that the next hand-off starts behaves: its window is up at look
  // `windowAtLook` (1 the first, 0 never); with `end`, it has ended by the first look.
  struct PaintProgramScript {
    int windowAtLook = 1;
    std::optional<platform::ProgramEnd> end;
  };

  static constexpr graphics::Size kScreenSize{1024, 768};
  static constexpr const char* kPaintProgramName = "paint";
  // What the pointer says when it cannot be read.
  static constexpr const char* kCursorUnknown = "pointer not known";

  explicit FakeDesktop(graphics::Size screenSize = kScreenSize) : pixels_(screenSize) {}

  platform::Pointer& pointer() override { return *this; }
  platform::ScreenCopy& screenCopy() override { return deviceContexts_; }
  platform::WindowRegions& windowRegions() override { return regions_; }
  platform::PaintProgram& paintProgram() override { return paint_; }
  platform::Clipboard& clipboard() override { return clipboard_; }
  platform::Screen& screen() override { return scale_; }
  void Beep() override { ++beeps_; }

  // The screen: its pixels (a test may edit or replace them), its scale, and what was read.
  graphics::Bitmap& screenBitmap() { return pixels_.image(); }
  void setTwipsPerPixel(float twips) { scale_.twipsPerPixel = twips; }
  int screenReads() const { return pixels_.reads(); }
  const graphics::Rect& lastReadArea() const { return pixels_.lastRead(); }
  void setScreenReadsFail(bool fail) { pixels_.setReadsFail(fail); }

  void moveCursor(int x, int y) { cursor_ = {x, y}; }
  void setCursorFails(bool fail) { cursorFails_ = fail; }

  const std::optional<graphics::Bitmap>& clipboardPicture() const { return clipboard_.picture(); }
  int clipboardClears() const { return clipboard_.clears(); }
  void setClipboardFails(bool fail) { clipboard_.setFails(fail); }

  void setPaintProgram(const PaintProgramScript& script) { paintScript_ = script; }
  // Starts fail with the runtime's file-not-found error.
  void setPaintStartFails(bool fail) { paintStartFails_ = fail; }
  int paintStarts() const { return paintStarts_; }
  int pastes() const { return pastes_; }
  // Lets time pass for the desktop's own timers.
  void advance(int milliseconds) { clock_.advance(milliseconds); }

  int beeps() const { return beeps_; }
  // Screen device contexts handed out and not yet released.
  int outstandingScreenDcs() const { return deviceContexts_.outstandingScreenDcs(); }
  // Regions made and not yet handed to a window.
  std::size_t unownedRegions() const { return regions_.unownedRegions(); }

 private:
  // Reads the pointer, unless made to fail: forms::NotReady then.
  std::int32_t GetCursorPos(platform::PointApi& point) override;
  std::unique_ptr<platform::StartedPaintProgram> startPaintProgram();

  struct Scale final : platform::Screen {
    float TwipsPerPixelX() const override { return twipsPerPixel; }
    float TwipsPerPixelY() const override { return twipsPerPixel; }
    float twipsPerPixel = 15;  // 96 dots per inch
  };

  SyntheticScreen pixels_;
  platform::DeviceContexts deviceContexts_{pixels_};
  platform::EllipticRegions regions_;
  Scale scale_;
  FakeClipboard clipboard_;
  platform::PointApi cursor_;
  bool cursorFails_ = false;
  PaintProgramScript paintScript_;
  bool paintStartFails_ = false;
  int paintStarts_ = 0;
  int pastes_ = 0;
  int beeps_ = 0;
  headless::TimerSchedule clock_;
  platform::StartAndPaste paint_{[this] { return startPaintProgram(); },
                                 [this](forms::PeerListener& listener) {
                                   return std::make_unique<headless::Timer>(clock_, listener);
                                 }};
};

}  // namespace fake
