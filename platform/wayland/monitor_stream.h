#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/wayland/virtual_screen.h"

struct pw_buffer;
struct pw_core;
struct pw_stream;
struct spa_buffer;
struct spa_pod;

namespace wayland {

struct CursorPoint {
  int x = 0;
  int y = 0;
  bool operator==(const CursorPoint&) const = default;
};

// One monitor's PipeWire stream: frames in shared memory, 32 bits a pixel, at most the live
// view's rate, each with the pointer's place on the monitor. The latest frame is held where
// the compositor put it until a newer one comes, so reading it copies nothing; buffers that
// carry only the pointer move the pointer and go straight back.
class MonitorStream {
 public:
  // `changed` runs after each buffer taken in (a frame, the pointer, or both); `ended` when
  // the stream stops for good. Both from the event loop, never inside the constructor.
  MonitorStream(pw_core* core, std::uint32_t node, std::function<void()> changed,
                std::function<void()> ended);
  ~MonitorStream();
  MonitorStream(const MonitorStream&) = delete;
  MonitorStream& operator=(const MonitorStream&) = delete;

  bool hasFrame() const { return held_ != nullptr; }
  // The latest frame at (0, 0); pixels null before the first.
  MonitorFrame frame() const;
  // Where the pointer is on this monitor, in its pixels; nothing while it is elsewhere or
  // before the compositor has said.
  std::optional<CursorPoint> cursor() const { return cursor_; }

 private:
  struct Listener;
  static const spa_pod* formatParameter(std::uint8_t* storage, std::uint32_t size);
  void formatChanged(const spa_pod* format);
  void takeBuffers();
  void takeCursor(const spa_buffer& buffer);
  void stateChanged(int state);

  std::uint32_t node_;
  std::function<void()> changed_;
  std::function<void()> ended_;
  std::unique_ptr<Listener> listener_;
  pw_stream* stream_ = nullptr;
  pw_buffer* held_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  ChannelOrder order_ = ChannelOrder::Bgr;
  std::optional<CursorPoint> cursor_;
};

}  // namespace wayland
