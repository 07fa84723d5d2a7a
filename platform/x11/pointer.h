#pragma once

#include <optional>

#include "platform/desktop/pointer.h"
#include "platform/x11/connection.h"

namespace x11 {

struct PointerPosition {
  int x = 0;
  int y = 0;
  bool operator==(const PointerPosition&) const = default;
};

// Where the pointer is, in screen pixels; nothing when it is on another screen of the display.
std::optional<PointerPosition> pointerPosition(const Connection& connection);

// The pointer as the program asks for it.
class Pointer final : public platform::Pointer {
 public:
  explicit Pointer(const Connection& connection) : connection_(connection) {}
  std::int32_t GetCursorPos(platform::PointApi& point) override;

  // While an input event is handled, the pointer reads where it was when the event happened,
  // where that is known; nothing: where it is now.
  void setEventPlace(std::optional<PointerPosition> place) { eventPlace_ = place; }

 private:
  const Connection& connection_;
  std::optional<PointerPosition> eventPlace_;
};

}  // namespace x11
