#include "platform/wayland/pipewire_connection.h"

#include <pipewire/pipewire.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace wayland {

struct PipeWireConnection::CoreListener {
  spa_hook hook{};
  pw_core_events events{};
};

PipeWireConnection::PipeWireConnection(int remoteFd, std::function<void()> lost)
    : lost_(std::move(lost)) {
  pw_init(nullptr, nullptr);
  loop_ = pw_loop_new(nullptr);
  if (loop_ != nullptr) context_ = pw_context_new(loop_, nullptr, 0);
  if (context_ == nullptr) {
    close(remoteFd);
    return;
  }
  // The context owns the descriptor from here on, connected or not.
  core_ = pw_context_connect_fd(context_, remoteFd, nullptr, 0);
  if (core_ == nullptr) return;
  coreListener_ = std::make_unique<CoreListener>();
  coreListener_->events.version = PW_VERSION_CORE_EVENTS;
  coreListener_->events.error = [](void* data, uint32_t id, int /*seq*/, int res,
                                   const char* /*message*/) {
    auto* self = static_cast<PipeWireConnection*>(data);
    // The remote hung up: the portal session ended, or the compositor went away.
    if (id == PW_ID_CORE && res == -EPIPE && self->lost_) std::exchange(self->lost_, nullptr)();
  };
  pw_core_add_listener(core_, &coreListener_->hook, &coreListener_->events, this);
  pw_loop_enter(loop_);
  notifier_ = std::make_unique<QSocketNotifier>(pw_loop_get_fd(loop_), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                   [this] { pw_loop_iterate(loop_, 0); });
}

PipeWireConnection::~PipeWireConnection() {
  notifier_.reset();
  if (coreListener_) spa_hook_remove(&coreListener_->hook);
  if (core_ != nullptr) pw_core_disconnect(core_);
  if (context_ != nullptr) pw_context_destroy(context_);
  if (loop_ != nullptr) {
    if (core_ != nullptr) pw_loop_leave(loop_);
    pw_loop_destroy(loop_);
  }
}

}  // namespace wayland
