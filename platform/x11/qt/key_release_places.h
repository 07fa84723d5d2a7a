#pragma once

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <deque>
#include <optional>

#include "platform/x11/pointer.h"

namespace x11 {

// Where the pointer was at each key release the X server reports, kept for the moments until Qt
// hands the key on: quick hands release the next key, somewhere else, before the program has
// handled the last one.
class KeyReleasePlaces final : public QAbstractNativeEventFilter {
 public:
  // Installs itself as a filter of the application's native events; the filter goes with it.
  KeyReleasePlaces();

  // Where the pointer was when the key of X key code `keycode` was released at server time
  // `time`; nothing when that release was not seen, or on another screen.
  std::optional<PointerPosition> find(std::uint32_t time, std::uint32_t keycode) const;

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  struct Release {
    std::uint32_t time;
    std::uint32_t keycode;
    PointerPosition place;
  };
  std::deque<Release> recent_;  // newest last, a few at most
};

}  // namespace x11
