#include "platform/x11/qt/key_release_places.h"

#include <xcb/xcb.h>

#include <QByteArray>
#include <QCoreApplication>
#include <algorithm>

namespace x11 {
namespace {

// Far more than can wait in Qt's queue between two key events the program handles.
constexpr std::size_t kKept = 32;

}  // namespace

KeyReleasePlaces::KeyReleasePlaces() {
  QCoreApplication::instance()->installNativeEventFilter(this);
}

std::optional<PointerPosition> KeyReleasePlaces::find(std::uint32_t time,
                                                      std::uint32_t keycode) const {
  const auto found = std::find_if(recent_.rbegin(), recent_.rend(), [&](const Release& release) {
    return release.time == time && release.keycode == keycode;
  });
  if (found == recent_.rend()) return std::nullopt;
  return found->place;
}

bool KeyReleasePlaces::nativeEventFilter(const QByteArray& eventType, void* message,
                                         qintptr* /*result*/) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7F) != XCB_KEY_RELEASE) return false;
  const auto* release = static_cast<const xcb_key_release_event_t*>(message);
  // On another screen of the display, the root coordinates are that screen's.
  if (release->same_screen == 0) return false;
  recent_.push_back({release->time, release->detail, {release->root_x, release->root_y}});
  if (recent_.size() > kKept) recent_.pop_front();
  return false;
}

}  // namespace x11
