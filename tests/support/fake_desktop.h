#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/desktop/desktop.h"
#include "platform/desktop/device_contexts.h"
#include "platform/desktop/elliptic_regions.h"
#include "tests/support/fake_clipboard.h"
#include "tests/support/synthetic_screen.h"

namespace fake {

// The desktop as the tests see it: a synthetic screen of known pixels, a pointer the test moves,
// a clipboard that remembers, and records of beeps, started programs and sent keys. Device
// contexts, the stretching copy and regions are the real ones.
class FakeDesktop final : public platform::Desktop,
                          private platform::Pointer,
                          private platform::Programs {
 public:
  struct ShellCall {
    std::string path;
    int windowStyle;
  };
  struct SentKeys {
    std::string keys;
    bool wait;
  };

  static constexpr graphics::Size kScreenSize{1024, 768};
  static constexpr double kTaskId = 4242;
  // What the pointer says when it cannot be read.
  static constexpr const char* kCursorUnknown = "pointer not known";

  explicit FakeDesktop(graphics::Size screenSize = kScreenSize) : pixels_(screenSize) {}

  platform::Pointer& pointer() override { return *this; }
  platform::ScreenCopy& screenCopy() override { return deviceContexts_; }
  platform::WindowRegions& windowRegions() override { return regions_; }
  platform::Programs& programs() override { return *this; }
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

  const std::vector<ShellCall>& shellCalls() const { return shellCalls_; }
  const std::vector<SentKeys>& sentKeys() const { return sentKeys_; }
  void setShellResult(double taskId) { taskId_ = taskId; }
  void setShellFails(bool fail) { shellFails_ = fail; }
  // Whether the window of a program just started ever shows up for the keys sent to it.
  void setStartedWindowAppears(bool appears) { startedWindowAppears_ = appears; }

  int beeps() const { return beeps_; }
  // Screen device contexts handed out and not yet released.
  int outstandingScreenDcs() const { return deviceContexts_.outstandingScreenDcs(); }
  // Regions made and not yet handed to a window.
  std::size_t unownedRegions() const { return regions_.unownedRegions(); }

 private:
  // Reads the pointer, unless made to fail: forms::NotReady then.
  std::int32_t GetCursorPos(platform::PointApi& point) override;
  // Records the call; returns the task id, or throws the runtime's file-not-found error.
  double Shell(const std::string& path, int windowStyle) override;
  // Parses the keys first, so a malformed string throws and records nothing.
  void SendKeys(const std::string& keys, bool wait) override;

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
  std::vector<ShellCall> shellCalls_;
  std::vector<SentKeys> sentKeys_;
  double taskId_ = kTaskId;
  bool shellFails_ = false;
  bool startedWindowAppears_ = true;
  bool programJustStarted_ = false;
  int beeps_ = 0;
};

}  // namespace fake
