#include "platform/win32/desktop/programs.h"

#include <chrono>
#include <utility>

#include "platform/forms/runtime_error.h"
#include "platform/win32/desktop/key_input.h"
#include "platform/win32/desktop/key_sender.h"
#include "platform/win32/desktop/program_window.h"

namespace win32 {
namespace {

// Paint's window is up within a second; a slow start must not freeze us for long.
constexpr std::chrono::milliseconds kProgramWindowTimeout{5000};

}  // namespace

double Programs::Shell(const std::string& path, int windowStyle) {
  programAwaitingKeys_ = startProgram(path, windowStyle);
  return programAwaitingKeys_->pid;
}

void Programs::SendKeys(const std::string& keys, bool wait) {
  const std::vector<INPUT> input = keyboardInput(keys);
  if (const auto awaited = std::exchange(programAwaitingKeys_, std::nullopt)) {
    if (!waitForProgramWindow(*awaited, kProgramWindowTimeout)) {
      throw forms::RuntimeError::programWindowDidNotAppear(awaited->name);
    }
  }
  sendKeyboardInput(input, wait);
}

}  // namespace win32
