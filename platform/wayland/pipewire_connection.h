#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

struct pw_context;
struct pw_core;
struct pw_loop;

namespace wayland {

// A connection to the PipeWire remote that the portal opened for us, served on the thread of
// Qt's event loop: the loop's file descriptor is watched like any other, so frames arrive as
// events between the program's handlers, never in the middle of one.
class PipeWireConnection {
 public:
  // Takes `remoteFd`. `lost` runs once when the remote goes away, from inside the connection's
  // own dispatch: it must not destroy the connection there and then.
  PipeWireConnection(int remoteFd, std::function<void()> lost);
  ~PipeWireConnection();
  PipeWireConnection(const PipeWireConnection&) = delete;
  PipeWireConnection& operator=(const PipeWireConnection&) = delete;

  // Null when the connection could not be made.
  pw_core* core() const { return core_; }

 private:
  struct CoreListener;

  pw_loop* loop_ = nullptr;
  pw_context* context_ = nullptr;
  pw_core* core_ = nullptr;
  std::unique_ptr<CoreListener> coreListener_;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> lost_;
};

}  // namespace wayland
