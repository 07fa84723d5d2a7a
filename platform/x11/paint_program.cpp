#include "platform/x11/paint_program.h"

#include "platform/x11/ascii_case.h"
#include "platform/x11/executable_search.h"

namespace x11 {
namespace {

constexpr std::string_view kClassicPaintPath = R"(C:\Program Files\Accessories\MSPAINT.EXE)";

// Tried on Debian 12 under Xvfb and openbox, with Ctrl+V sent as soon as the window was active:
// - kolourpaint: active after 0.2-0.4 s, pastes the picture pixel for pixel as a selection.
// - gimp: active after about 1.5 s, opens the picture as a new image, pixel for pixel. A dialog
//   that it opens first (crash recovery, after it was killed) takes the keys instead.
// - drawing: pastes it as a selection, but asks a first-use question at every start where it
//   cannot store its settings (no D-Bus session), and that dialog takes the keys.
// Left out: mtpaint pastes only its own clipboard; lazpaint crashed at start under Xvfb; pinta is
// not in Debian 12.
constexpr std::string_view kPaintPrograms[] = {"kolourpaint", "gimp", "drawing"};

}  // namespace

bool isClassicPaintPath(std::string_view path) { return sameIgnoringCase(path, kClassicPaintPath); }

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

}  // namespace x11
