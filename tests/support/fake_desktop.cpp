#include "tests/support/fake_desktop.h"

#include "platform/forms/not_ready.h"
#include "platform/forms/runtime_error.h"

namespace fake {
namespace {

// A paint program that does what its script says, counting its looks.
class ScriptedPaintProgram final : public platform::StartedPaintProgram {
 public:
  ScriptedPaintProgram(const FakeDesktop::PaintProgramScript& script, int& pastes)
      : script_(script), pastes_(pastes) {}

  std::string name() const override { return FakeDesktop::kPaintProgramName; }
  std::optional<platform::ProgramEnd> end() override { return script_.end; }
  bool windowReady() override { return ++looks_ == script_.windowAtLook; }
  void paste() override { ++pastes_; }

 private:
  FakeDesktop::PaintProgramScript script_;
  int& pastes_;
  int looks_ = 0;
};

}  // namespace

std::int32_t FakeDesktop::GetCursorPos(platform::PointApi& point) {
  if (cursorFails_) throw forms::NotReady(kCursorUnknown);
  point = cursor_;
  return 1;
}

std::unique_ptr<platform::StartedPaintProgram> FakeDesktop::startPaintProgram() {
  if (paintStartFails_) throw forms::RuntimeError::fileNotFound(kPaintProgramName);
  ++paintStarts_;
  return std::make_unique<ScriptedPaintProgram>(paintScript_, pastes_);
}

}  // namespace fake
