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
  programAwaitingKeys_ = startProgram(path);
  return programAwaitingKeys_->pid;
}

// The keys are always processed by the time this returns, wait or not: syncing with the server
// is also what keeps X errors from the requests inside our error trap.
void Programs::SendKeys(const std::string& keys, bool /*wait*/) {
  const KeyPresses presses = keySender_.prepare(keys);
  if (const auto program = std::exchange(programAwaitingKeys_, std::nullopt)) {
    if (!waitForProgramWindow(connection_, program->pid, kProgramWindowTimeout,
                              serveWhileWaiting_)) {
      throw forms::RuntimeError::programWindowDidNotAppear(program->name);
    }
  }
  keySender_.send(presses);
}

}  // namespace x11
