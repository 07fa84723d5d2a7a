#pragma once

#include <optional>
#include <string>

#include "platform/screen_desktop.h"
#include "platform/x11/connection.h"
#include "platform/x11/key_sender.h"
#include "platform/x11/program_launcher.h"
#include "platform/x11/screen_reader.h"

namespace qtplatform {

// The real desktop: the screen, the pointer, keys and program start through an X connection
// of its own; the clipboard, the screen's scale and the beep through Qt, whose application
// must exist by the time those are used.
class QtDesktop final : public platform::ScreenDesktop {
 public:
  // Throws std::runtime_error when there is no X display.
  QtDesktop();
  ~QtDesktop() override;

  platform::Clipboard& clipboard() override { return clipboard_; }
  platform::Screen& screen() override { return screen_; }
  std::int32_t GetCursorPos(platform::PointApi& point) override;
  double Shell(const std::string& path, int windowStyle) override;
  void SendKeys(const std::string& keys, bool wait) override;
  void Beep() override;

 protected:
  graphics::PixelSource& screenPixels() override { return screenReader_; }

 private:
  class QtClipboard final : public platform::Clipboard {
   public:
    void Clear() override;
    void SetData(const graphics::Bitmap& picture) override;
  };

  class QtScreen final : public platform::Screen {
   public:
    float TwipsPerPixelX() const override;
    float TwipsPerPixelY() const override;
  };

  x11::Connection connection_;
  x11::ScreenReader screenReader_;
  x11::KeySender keySender_;
  QtClipboard clipboard_;
  QtScreen screen_;
  // Started by Shell and not yet waited for: the next keys are meant for its window.
  std::optional<x11::StartedProgram> programAwaitingKeys_;
};

}  // namespace qtplatform
