#include "platform/x11/programs.h"

#include <chrono>
#include <utility>

#include "platform/forms/runtime_error.h"
#include "platform/x11/program_window.h"

namespace x11 {
namespace {

// kolourpaint's window is up in well under a second; a slow start must not freeze us for long.
constexpr std::chrono::milliseconds kProgramWindowTimeout{5000};

}  // namespace

Programs::Programs(Connection& connection, std::function<void()> serveWhileWaiting)
    : connection_(connection),
      keySender_(connection),
      serveWhileWaiting_(std::move(serveWhileWaiting)) {}

// The window manager opens a started program's window normal and focused, which is all the
// program ever asks for; the style is not passed on.
double Programs::Shell(const std::string& path, int /*windowStyle*/) {
  auto newWindows = std::make_unique<NewWindows>();  // before the start: its windows are new
  programAwaitingKeys_ = AwaitedProgram{startProgram(path), std::move(newWindows)};
  return programAwaitingKeys_->program.pid;
}

// The keys are always processed by the time this returns, wait or not: syncing with the server
// is also what keeps X errors from the requests inside our error trap.
void Programs::SendKeys(const std::string& keys, bool /*wait*/) {
  const KeyPresses presses = keySender_.prepare(keys);
  if (const auto awaited = std::exchange(programAwaitingKeys_, std::nullopt)) {
    if (!waitForProgramWindow(connection_, awaited->program, *awaited->newWindows,
                              kProgramWindowTimeout, serveWhileWaiting_)) {
      throw forms::RuntimeError::programWindowDidNotAppear(awaited->program.name);
    }
  }
  keySender_.send(presses);
}

}  // namespace x11
