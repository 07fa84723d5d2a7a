#include "platform/wayland/shared_screen.h"

#include <chrono>

#include "platform/forms/not_ready.h"

namespace wayland {
namespace {

// A new stream now and then never sends its first frame while the screen stays still; one
// made afresh does.
constexpr std::chrono::milliseconds kFirstFrameWait{1000};
constexpr const char* kWaitingForFrames =
    "画面の共有が始まるところです。少し待ってから、もう一度どうぞ。";

}  // namespace

SharedScreen::SharedScreen(std::function<void()> ended) : ended_(std::move(ended)) {
  ending_.setSingleShot(true);
  QObject::connect(&ending_, &QTimer::timeout, &ending_, [this] {
    if (!sharing()) return;
    stop();
    if (ended_) ended_();
  });
}

SharedScreen::~SharedScreen() { stop(); }

void SharedScreen::share(int remoteFd, const std::vector<SharedMonitor>& monitors) {
  stop();
  connection_ = std::make_unique<PipeWireConnection>(remoteFd, [this] { endLater(); });
  for (const SharedMonitor& shared : monitors) {
    auto monitor = std::make_unique<Monitor>();
    monitor->shared = shared;
    monitor->firstFrameWatch.setSingleShot(true);
    monitor->firstFrameWatch.setInterval(kFirstFrameWait);
    Monitor& opened = *monitor;
    QObject::connect(&opened.firstFrameWatch, &QTimer::timeout, &opened.firstFrameWatch,
                     [this, &opened] {
                       if (opened.stream == nullptr || !opened.stream->hasFrame()) {
                         openStream(opened);
                       }
                     });
    monitors_.push_back(std::move(monitor));
    openStream(opened);
  }
}

void SharedScreen::openStream(Monitor& monitor) {
  monitor.stream.reset();
  if (connection_->core() == nullptr) return;
  monitor.stream = std::make_unique<MonitorStream>(
      connection_->core(), monitor.shared.node, [this, &monitor] { streamChanged(monitor); },
      [this] { endLater(); });
  monitor.firstFrameWatch.start();
}

void SharedScreen::streamChanged(Monitor& monitor) {
  // The newest word on the pointer wins: the monitor it is on says where, the others that
  // it is not theirs.
  if (const auto cursor = monitor.stream->cursor()) {
    pointer_ = CursorPoint{cursor->x + monitor.shared.x, cursor->y + monitor.shared.y};
  } else if (pointer_) {
    const MonitorFrame frame = monitor.stream->frame();
    const graphics::Rect place{monitor.shared.x, monitor.shared.y, frame.place.width,
                               frame.place.height};
    const bool wasHere = pointer_->x >= place.left && pointer_->x < place.right() &&
                         pointer_->y >= place.top && pointer_->y < place.bottom();
    if (wasHere) pointer_.reset();
  }
}

void SharedScreen::endLater() { ending_.start(0); }

void SharedScreen::stop() {
  monitors_.clear();
  connection_.reset();
  pointer_.reset();
}

void SharedScreen::checkReadable() {
  if (!hasFrames()) throw forms::NotReady(kWaitingForFrames);
}

bool SharedScreen::hasFrames() const {
  if (monitors_.empty()) return false;
  for (const auto& monitor : monitors_) {
    if (monitor->stream == nullptr || !monitor->stream->hasFrame()) return false;
  }
  return true;
}

std::optional<CursorPoint> SharedScreen::pointer() const { return pointer_; }

void SharedScreen::frames(std::vector<MonitorFrame>& into) const {
  into.clear();
  for (const auto& monitor : monitors_) {
    MonitorFrame frame = monitor->stream != nullptr ? monitor->stream->frame() : MonitorFrame{};
    frame.place.left = monitor->shared.x;
    frame.place.top = monitor->shared.y;
    into.push_back(frame);
  }
}

graphics::Rect SharedScreen::bounds() const {
  frames(frames_);
  return VirtualScreen::boundsOf(frames_);
}

graphics::PixelView SharedScreen::read(const graphics::Rect& area) {
  frames(frames_);
  if (const auto pixels = screen_.read(frames_, area)) return *pixels;
  throw forms::NotReady(kWaitingForFrames);
}

}  // namespace wayland
