#pragma once

#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/graphics/pixel_source.h"
#include "platform/wayland/monitor_stream.h"
#include "platform/wayland/pipewire_connection.h"
#include "platform/wayland/virtual_screen.h"

namespace wayland {

// A monitor the user shares: its PipeWire node and where the compositor puts it.
struct SharedMonitor {
  std::uint32_t node = 0;
  int x = 0;
  int y = 0;
};

// The screen as the user shares it: every shared monitor's stream at its place, one virtual
// screen in the compositor's coordinates, with the pointer as the streams' metadata tells it.
// Empty (no frames, no pointer) until the portal starts the sharing.
class SharedScreen final : public graphics::PixelSource {
 public:
  // `ended` runs when the sharing stops from the other side (revoked, compositor gone).
  explicit SharedScreen(std::function<void()> ended);
  ~SharedScreen() override;
  SharedScreen(const SharedScreen&) = delete;
  SharedScreen& operator=(const SharedScreen&) = delete;

  // Starts the streams over the portal's PipeWire remote (taking `remoteFd`).
  void share(int remoteFd, const std::vector<SharedMonitor>& monitors);
  void stop();
  bool sharing() const { return connection_ != nullptr; }

  // Every shared monitor has sent its first frame.
  bool hasFrames() const;
  // The pointer in screen pixels; nothing while no shared monitor has it.
  std::optional<CursorPoint> pointer() const;

  graphics::Rect bounds() const override;
  // Throws forms::NotReady until every shared monitor has sent a frame.
  void checkReadable() override;
  // The latest frames. Throws forms::NotReady where there is no frame to read yet.
  graphics::PixelView read(const graphics::Rect& area) override;

 private:
  struct Monitor {
    SharedMonitor shared;
    std::unique_ptr<MonitorStream> stream;
    QTimer firstFrameWatch;
  };
  void openStream(Monitor& monitor);
  void streamChanged(Monitor& monitor);
  void frames(std::vector<MonitorFrame>& into) const;
  // Stops once the stream's or the connection's callback that found the end is over.
  void endLater();

  std::function<void()> ended_;
  QTimer ending_;  // outlives the connection and the streams: stops after their callbacks
  std::unique_ptr<PipeWireConnection> connection_;
  std::vector<std::unique_ptr<Monitor>> monitors_;
  mutable std::vector<MonitorFrame> frames_;  // reused by every look at the frames
  VirtualScreen screen_;
  std::optional<CursorPoint> pointer_;
};

}  // namespace wayland
