#pragma once

#include <QSocketNotifier>
#include <cstdint>
#include <memory>

struct ca_context;
struct gtk_shell1;
struct wl_display;
struct wl_registry;

namespace wayland {

// The desktop's bell. On GNOME the compositor rings it (gtk_shell1's system bell), with the
// sound the user chose and only if the user wants sounds at all; elsewhere the sound theme's
// bell plays through libcanberra. Qt's own beep does nothing on Wayland.
class Bell {
 public:
  Bell();
  ~Bell();
  Bell(const Bell&) = delete;
  Bell& operator=(const Bell&) = delete;

  void ring();

 private:
  wl_display* display_ = nullptr;  // a connection of our own to the compositor
  wl_registry* registry_ = nullptr;
  gtk_shell1* shell_ = nullptr;
  std::unique_ptr<QSocketNotifier> events_;
  ca_context* sounds_ = nullptr;  // made when first needed
};

}  // namespace wayland
