#include "platform/x11/paint_program.h"

#include "platform/forms/runtime_error.h"
#include "platform/x11/executable_search.h"
#include "platform/x11/new_windows.h"
#include "platform/x11/program_launcher.h"
#include "platform/x11/program_window.h"

namespace x11 {
namespace {

// Tried on Debian 12 under Xvfb and openbox, with Ctrl+V sent as soon as the window was active:
// - kolourpaint: active after 0.2-0.4 s, pastes the picture pixel for pixel as a selection.
// - gimp: active after about 1.5 s, opens the picture as a new image, pixel for pixel. A dialog
//   that it opens first (crash recovery, after it was killed) takes the keys instead.
// - drawing: pastes it as a selection, but asks a first-use question at every start where it
//   cannot store its settings (no D-Bus session), and that dialog takes the keys.
// Left out: mtpaint pastes only its own clipboard; lazpaint crashed at start under Xvfb; pinta is
// not in Debian 12.
constexpr std::string_view kPaintPrograms[] = {"kolourpaint", "gimp", "drawing"};

constexpr std::string_view kPasteKeys = "^v";

std::string installedPaintProgramOrThrow() {
  if (std::optional<std::string> paint = installedPaintProgram()) return *paint;
  throw forms::RuntimeError::paintProgramNotFound(paintProgramNames());
}

class StartedPaint final : public platform::StartedPaintProgram {
 public:
  StartedPaint(Connection& connection, KeySender& keys)
      : keys_(keys),
        paste_(keys.prepare(kPasteKeys)),
        launched_(startProgram(installedPaintProgramOrThrow())),
        window_(connection, launched_.program, newWindows_) {}

  std::string name() const override { return launched_.program.name; }
  std::optional<platform::ProgramEnd> end() override { return launched_.watch.end(); }
  bool windowReady() override { return window_.ready(); }
  void paste() override { keys_.send(paste_); }

 private:
  KeySender& keys_;
  KeyPresses paste_;
  NewWindows newWindows_;  // before the start: the program's windows are new
  LaunchedProgram launched_;
  ProgramWindow window_;
};

}  // namespace

std::optional<std::string> installedPaintProgram() {
  for (const std::string_view program : kPaintPrograms) {
    if (findExecutable(std::string(program))) return std::string(program);
  }
  return std::nullopt;
}

std::string paintProgramNames() {
  std::string names;
  for (const std::string_view program : kPaintPrograms) {
    if (!names.empty()) names += ", ";
    names += program;
  }
  return names;
}

std::unique_ptr<platform::StartedPaintProgram> startPaintProgram(Connection& connection,
                                                                 KeySender& keys) {
  return std::make_unique<StartedPaint>(connection, keys);
}

}  // namespace x11
