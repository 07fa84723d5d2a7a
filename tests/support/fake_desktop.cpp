#include "tests/support/fake_desktop.h"

#include <utility>

#include "platform/forms/not_ready.h"
#include "platform/forms/runtime_error.h"
#include "platform/keys/key_string.h"

namespace fake {
namespace {

// The one program this window ever starts.
constexpr const char* kStartedProgram = "paint";

}  // namespace

std::int32_t FakeDesktop::GetCursorPos(platform::PointApi& point) {
  if (cursorFails_) throw forms::NotReady(kCursorUnknown);
  point = cursor_;
  return 1;
}

double FakeDesktop::Shell(const std::string& path, int windowStyle) {
  shellCalls_.push_back({path, windowStyle});
  if (shellFails_) throw forms::RuntimeError::fileNotFound(path);
  programJustStarted_ = true;
  return taskId_;
}

void FakeDesktop::SendKeys(const std::string& keyString, bool wait) {
  keys::parseKeyString(keyString);
  // Only the first keys after a start wait for the started program's window.
  if (std::exchange(programJustStarted_, false) && !startedWindowAppears_) {
    throw forms::RuntimeError::programWindowDidNotAppear(kStartedProgram);
  }
  sentKeys_.push_back({keyString, wait});
}

}  // namespace fake
