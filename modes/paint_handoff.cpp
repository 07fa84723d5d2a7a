// Hands the picture to the desktop's paint program and pastes it in.
#include "app/form1.h"
#include "modes/mode_captions.h"
#include "platform/forms/runtime_error.h"

namespace {

constexpr const char* kPaintProgramPath = "C:\\Program Files\\Accessories\\MSPAINT.EXE";
constexpr const char* kPasteKeys = "^v";
constexpr bool kWaitForKeys = true;

}  // namespace

void Form1::Command4_Click() {
  // The live picture goes to the clipboard first; a still capture is already there.
  if (Command1.Caption() == mode_captions::kRunning) copyViewToClipboard();
  platform::Programs& programs = desktop_.programs();
  const double taskId = programs.Shell(kPaintProgramPath, platform::vbNormalFocus);
  // No task: nothing of ours is there to receive keys, and keys sent blind could close
  // whatever window happens to be active.
  if (taskId == 0) throw forms::RuntimeError::programNotStarted(kPaintProgramPath);
  programs.SendKeys(kPasteKeys, kWaitForKeys);
}
