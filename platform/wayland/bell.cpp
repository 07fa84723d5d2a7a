#include "platform/wayland/bell.h"

#include <canberra.h>
#include <wayland-client.h>

#include <cstring>

#include "gtk-shell-bell-client-protocol.h"

namespace wayland {
namespace {

// Binds GNOME's shell interface, if the compositor offers it, into the gtk_shell1* at `data`.
void announced(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
               std::uint32_t /*version*/) {
  auto*& shell = *static_cast<gtk_shell1**>(data);
  if (shell == nullptr && std::strcmp(interface, gtk_shell1_interface.name) == 0) {
    shell = static_cast<gtk_shell1*>(wl_registry_bind(registry, name, &gtk_shell1_interface, 1));
  }
}

const wl_registry_listener kRegistryListener = {
    .global = announced, .global_remove = [](void*, wl_registry*, std::uint32_t) {}};

}  // namespace

Bell::Bell() {
  display_ = wl_display_connect(nullptr);
  if (display_ == nullptr) return;
  registry_ = wl_display_get_registry(display_);
  wl_registry_add_listener(registry_, &kRegistryListener, &shell_);
  wl_display_roundtrip(display_);
  // The compositor may still talk to us (globals coming and going): read it as it comes.
  events_ = std::make_unique<QSocketNotifier>(wl_display_get_fd(display_), QSocketNotifier::Read);
  QObject::connect(events_.get(), &QSocketNotifier::activated, events_.get(), [this] {
    if (wl_display_dispatch(display_) < 0) events_->setEnabled(false);
  });
}

Bell::~Bell() {
  events_.reset();
  if (sounds_ != nullptr) ca_context_destroy(sounds_);
  if (shell_ != nullptr) gtk_shell1_destroy(shell_);
  if (registry_ != nullptr) wl_registry_destroy(registry_);
  if (display_ != nullptr) wl_display_disconnect(display_);
}

void Bell::ring() {
  if (shell_ != nullptr) {
    gtk_shell1_system_bell(shell_, nullptr);
    wl_display_flush(display_);
    return;
  }
  if (sounds_ == nullptr && ca_context_create(&sounds_) != CA_SUCCESS) sounds_ = nullptr;
  if (sounds_ == nullptr) return;
  ca_context_play(sounds_, 0, CA_PROP_EVENT_ID, "bell-window-system", CA_PROP_EVENT_DESCRIPTION,
                  "Orvex Capture", nullptr);
}

}  // namespace wayland
