#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/desktop/paint_program.h"
#include "platform/forms/peers.h"

namespace platform {

// How a started program ended by itself.
struct ProgramEnd {
  // With a status other than 0 or by a signal. A launcher that started the real program and
  // left ends with 0, and the real program's window may still come.
  bool failed = false;
  std::string how;  // for the user: "終了コード 3"
};

// A paint program just started for a hand-off, as its desktop sees it.
class StartedPaintProgram {
 public:
  virtual ~StartedPaintProgram() = default;

  // What was started, for messages.
  virtual std::string name() const = 0;
  // How it ended, once it has.
  virtual std::optional<ProgramEnd> end() = 0;
  // One look: true once its main window is up and has the keyboard (asked for where needed).
  virtual bool windowReady() = 0;
  // Ctrl+V into that window.
  virtual void paste() = 0;
};

// The hand-off where one program may type into another (X11, Windows): the picture is on the
// clipboard already, so the paint program is started and, once its window has the keyboard,
// given Ctrl+V. Nothing waits: a timer looks a few dozen times a second, each look an event of
// its own through the runtime's error boundary, so our window keeps painting, serving the
// clipboard and taking keys meanwhile. A look that fails ends the hand-off and is reported:
// the program ended before its window came (at once, not when the wait runs out), or no window
// came within about five seconds. Keys go nowhere else.
class StartAndPaste final : public PaintProgram, private forms::PeerListener {
 public:
  // Starts the paint program; throws forms::RuntimeError when it cannot.
  using Start = std::function<std::unique_ptr<StartedPaintProgram>()>;
  using TimerFactory = std::function<std::unique_ptr<forms::TimerPeer>(forms::PeerListener&)>;

  // Short enough that the keys follow a window within a frame or two of its showing up.
  static constexpr std::chrono::milliseconds kLookInterval{20};
  // kolourpaint's and Paint's windows are up within a second; a start that shows none by then
  // is reported rather than waited on.
  static constexpr std::chrono::milliseconds kWindowTimeout{5000};

  StartAndPaste(Start start, const TimerFactory& makeTimer);

  bool handingOver() const override { return started_ != nullptr; }
  void handOver(const graphics::Bitmap& picture, forms::Runtime& runtime) override;

 private:
  void peerTicked() override;
  void look();

  Start start_;
  std::unique_ptr<forms::TimerPeer> timer_;
  std::unique_ptr<StartedPaintProgram> started_;
  forms::Runtime* runtime_ = nullptr;  // the boundary of the hand-off under way
  int looksLeft_ = 0;
};

}  // namespace platform
