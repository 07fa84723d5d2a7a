#include "platform/win32/desktop/paint_program.h"

#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/desktop/key_input.h"
#include "platform/win32/desktop/key_sender.h"
#include "platform/win32/desktop/program_launcher.h"
#include "platform/win32/desktop/program_window.h"

namespace win32 {
namespace {

constexpr const char* kPasteKeys = "^v";
// Exit codes from here on are NTSTATUS error codes: a crash, not a status the program chose.
constexpr DWORD kFirstErrorStatus = 0xC0000000;

class StartedPaint final : public platform::StartedPaintProgram {
 public:
  StartedPaint() : paste_(keyboardInput(kPasteKeys)), started_(startPaint()), window_(started_) {}

  std::string name() const override { return started_.name; }

  std::optional<platform::ProgramEnd> end() override {
    DWORD code = 0;
    if (WaitForSingleObject(started_.process.get(), 0) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(started_.process.get(), &code)) {
      return std::nullopt;
    }
    return programEndOf(code);
  }

  bool windowReady() override { return window_.ready(); }
  void paste() override { sendKeyboardInput(paste_); }

 private:
  std::vector<INPUT> paste_;
  StartedProgram started_;
  ProgramWindow window_;
};

}  // namespace

std::unique_ptr<platform::StartedPaintProgram> startPaintProgram() {
  return std::make_unique<StartedPaint>();
}

platform::ProgramEnd programEndOf(DWORD exitCode) {
  if (exitCode < kFirstErrorStatus) {
    return {exitCode != 0, "終了コード " + std::to_string(exitCode)};
  }
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(exitCode));
  return {true, std::string("終了コード ") + hex};
}

}  // namespace win32
