#include "platform/wayland/session.h"

#include <wayland-client.h>

#include <cstdlib>
#include <string_view>

namespace wayland {

bool waylandDisplayAnswers() {
  const char* display = std::getenv("WAYLAND_DISPLAY");
  const char* session = std::getenv("XDG_SESSION_TYPE");
  const bool saysWayland = session != nullptr && std::string_view(session) == "wayland";
  if ((display == nullptr || display[0] == '\0') && !saysWayland) return false;
  wl_display* connection = wl_display_connect(nullptr);
  if (connection == nullptr) return false;
  wl_display_disconnect(connection);
  return true;
}

}  // namespace wayland
