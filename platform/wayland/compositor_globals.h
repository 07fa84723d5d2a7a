#pragma once

#include <memory>

struct wl_compositor;
struct wl_display;
struct wl_event_queue;
struct wl_registry;
struct wl_shm;
struct wl_subcompositor;

namespace wayland {

// The compositor's interfaces for surfaces of our own inside Qt's windows, bound on Qt's
// connection (a subsurface lives on its parent's) but on an event queue of ours: Qt's
// dispatching never runs our listeners, and ours never runs Qt's.
class CompositorGlobals {
 public:
  // Null unless Qt runs on Wayland and the compositor offers subsurfaces and shared memory.
  static std::unique_ptr<CompositorGlobals> ofQtConnection();
  ~CompositorGlobals();
  CompositorGlobals(const CompositorGlobals&) = delete;
  CompositorGlobals& operator=(const CompositorGlobals&) = delete;

  struct Interfaces {
    wl_compositor* compositor = nullptr;
    wl_subcompositor* subcompositor = nullptr;
    wl_shm* shm = nullptr;
  };
  const Interfaces& interfaces() const { return interfaces_; }
  // Runs our listeners for what the compositor has said so far (Qt reads the connection).
  void dispatchPending();
  // Sends our requests now rather than when Qt next flushes its own.
  void flush();

 private:
  explicit CompositorGlobals(wl_display* display);

  wl_display* display_;
  wl_event_queue* queue_ = nullptr;
  wl_registry* registry_ = nullptr;
  Interfaces interfaces_;
};

}  // namespace wayland
