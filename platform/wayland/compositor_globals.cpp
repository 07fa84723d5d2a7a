#include "platform/wayland/compositor_globals.h"

#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace wayland {
namespace {

// damage_buffer came with version 4 of wl_surface.
constexpr std::uint32_t kCompositorVersion = 4;

template <typename Interface>
void bind(wl_registry* registry, std::uint32_t name, const wl_interface& interface,
          std::uint32_t version, Interface*& into) {
  if (into != nullptr) return;
  into = static_cast<Interface*>(wl_registry_bind(registry, name, &interface, version));
}

void announced(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
               std::uint32_t version) {
  auto& bound = *static_cast<CompositorGlobals::Interfaces*>(data);
  if (std::strcmp(interface, wl_compositor_interface.name) == 0 && version >= kCompositorVersion) {
    bind(registry, name, wl_compositor_interface, kCompositorVersion, bound.compositor);
  } else if (std::strcmp(interface, wl_subcompositor_interface.name) == 0) {
    bind(registry, name, wl_subcompositor_interface, 1, bound.subcompositor);
  } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
    bind(registry, name, wl_shm_interface, 1, bound.shm);
  }
}

const wl_registry_listener kRegistryListener = {
    .global = announced, .global_remove = [](void*, wl_registry*, std::uint32_t) {}};

}  // namespace

std::unique_ptr<CompositorGlobals> CompositorGlobals::ofQtConnection() {
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  if (native == nullptr || !QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    return nullptr;
  }
  auto* display = static_cast<wl_display*>(
      native->nativeResourceForIntegration(QByteArrayLiteral("wl_display")));
  if (display == nullptr) return nullptr;
  std::unique_ptr<CompositorGlobals> globals(new CompositorGlobals(display));
  const Interfaces& bound = globals->interfaces_;
  if (bound.compositor == nullptr || bound.subcompositor == nullptr || bound.shm == nullptr) {
    return nullptr;
  }
  return globals;
}

CompositorGlobals::CompositorGlobals(wl_display* display)
    : display_(display), queue_(wl_display_create_queue(display)) {
  // The registry, and so everything bound from it, answers on our queue.
  auto* onOurQueue = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
  wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(onOurQueue), queue_);
  registry_ = wl_display_get_registry(onOurQueue);
  wl_proxy_wrapper_destroy(onOurQueue);
  wl_registry_add_listener(registry_, &kRegistryListener, &interfaces_);
  wl_display_roundtrip_queue(display_, queue_);
}

CompositorGlobals::~CompositorGlobals() {
  if (interfaces_.shm != nullptr) wl_shm_destroy(interfaces_.shm);
  if (interfaces_.subcompositor != nullptr) wl_subcompositor_destroy(interfaces_.subcompositor);
  if (interfaces_.compositor != nullptr) wl_compositor_destroy(interfaces_.compositor);
  wl_registry_destroy(registry_);
  wl_event_queue_destroy(queue_);
}

void CompositorGlobals::dispatchPending() { wl_display_dispatch_queue_pending(display_, queue_); }

void CompositorGlobals::flush() { wl_display_flush(display_); }

}  // namespace wayland
