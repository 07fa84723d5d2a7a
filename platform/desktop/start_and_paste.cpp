#include "platform/desktop/start_and_paste.h"

#include <stdexcept>
#include <utility>

#include "platform/forms/runtime.h"
#include "platform/forms/runtime_error.h"

namespace platform {
namespace {

constexpr int kLooks =
    static_cast<int>(StartAndPaste::kWindowTimeout / StartAndPaste::kLookInterval);

}  // namespace

StartAndPaste::StartAndPaste(Start start, const TimerFactory& makeTimer)
    : start_(std::move(start)), timer_(makeTimer(*this)) {}

// The picture is on the clipboard already: the paste takes it from there.
void StartAndPaste::handOver(const graphics::Bitmap& /*picture*/, forms::Runtime& runtime) {
  if (started_) throw std::logic_error("a hand-off to the paint program is under way");
  started_ = start_();
  runtime_ = &runtime;
  looksLeft_ = kLooks;
  timer_->start(static_cast<int>(kLookInterval.count()));
}

void StartAndPaste::peerTicked() {
  runtime_->deliver([this] { look(); });
}

void StartAndPaste::look() {
  // Whatever a look throws ends the hand-off: the program is taken out for the look and put
  // back only to wait on.
  std::unique_ptr<StartedPaintProgram> program = std::exchange(started_, nullptr);
  timer_->stop();
  if (!program) return;
  if (const std::optional<ProgramEnd> end = program->end(); end && end->failed) {
    throw forms::RuntimeError::programEndedBeforeItsWindow(program->name(), end->how);
  }
  if (program->windowReady()) {
    program->paste();
    return;
  }
  if (--looksLeft_ == 0) throw forms::RuntimeError::programWindowDidNotAppear(program->name());
  started_ = std::move(program);
  timer_->start(static_cast<int>(kLookInterval.count()));
}

}  // namespace platform
