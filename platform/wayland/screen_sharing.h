#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "platform/desktop/pointer.h"
#include "platform/graphics/pixel_source.h"
#include "platform/wayland/screencast_portal.h"
#include "platform/wayland/shared_screen.h"

namespace wayland {

// The screen and the pointer as far as the user shares them through the ScreenCast portal.
// Asked for once at start; a refusal, or a sharing the user ended, is told and asked for again
// at the first use after the user's next key or click, never in a loop of dialogs.
class ScreenSharing final : public QObject, public platform::Pointer {
 public:
  // What the user must know as it happens.
  struct News {
    std::function<void(const std::string&)> note;     // a refusal, the end of the sharing
    std::function<void(const std::string&)> problem;  // no way to share on this desktop
  };
  ScreenSharing(RestoreTokenStore tokens, News news);

  // Asks the portal; at start.
  void begin();

  // The shared screen for the device contexts: reads throw, saying why, while there is nothing
  // to read.
  graphics::PixelSource& screen() { return gate_; }

  // In screen pixels. Throws forms::NotReady (the pointer is not known yet, the sharing is not
  // on) rather than give a place that is not the pointer's.
  std::int32_t GetCursorPos(platform::PointApi& point) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class State { Asking, Sharing, Refused, Ended, Impossible };

  // The screen, readable only while shared.
  class Gate final : public graphics::PixelSource {
   public:
    explicit Gate(ScreenSharing& sharing) : sharing_(sharing) {}
    graphics::Rect bounds() const override { return sharing_.shared_.bounds(); }
    void checkReadable() override;
    graphics::PixelView read(const graphics::Rect& area) override;

   private:
    ScreenSharing& sharing_;
  };

  // Throws what keeps the screen from being used now, asking again where the user wants it.
  void checkShared();

  News news_;
  SharedScreen shared_;
  ScreenCastPortal portal_;
  Gate gate_{*this};
  State state_ = State::Asking;
  std::string impossibleReason_;
  bool userActedSinceNo_ = false;
};

}  // namespace wayland
