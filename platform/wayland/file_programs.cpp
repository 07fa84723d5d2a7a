#include "platform/wayland/file_programs.h"

#include <QProcess>
#include <utility>

#include "platform/forms/runtime_error.h"
#include "platform/x11/executable_search.h"
#include "platform/x11/paint_program.h"

namespace wayland {
namespace {

constexpr const char* kPasteKeys = "^v";
constexpr const char* kNoKeysOnWayland = "Wayland では、ほかのプログラムにキーを送れません。";
constexpr const char* kNoPicture = "クリップボードにこのプログラムの絵がありません。";
// Not a process: the paint program starts with the picture, at the paste.
constexpr double kAwaitingPictureTask = 1;

}  // namespace

double FilePrograms::Shell(const std::string& path, int /*windowStyle*/) {
  if (x11::isClassicPaintPath(path)) {
    if (!x11::installedPaintProgram()) {
      throw forms::RuntimeError::paintProgramNotFound(x11::paintProgramNames());
    }
    paintAwaitsPicture_ = true;
    return kAwaitingPictureTask;
  }
  const std::optional<std::string> executable = x11::findExecutable(path);
  qint64 pid = 0;
  if (!executable ||
      !QProcess::startDetached(QString::fromStdString(*executable), {}, QString(), &pid)) {
    throw forms::RuntimeError::fileNotFound(path);
  }
  return static_cast<double>(pid);
}

void FilePrograms::SendKeys(const std::string& keys, bool /*wait*/) {
  if (!std::exchange(paintAwaitsPicture_, false) || keys != kPasteKeys) {
    throw forms::RuntimeError::invalidKeyString(keys, kNoKeysOnWayland);
  }
  const QImage picture = picture_();
  if (picture.isNull()) throw forms::RuntimeError(521, kNoPicture);
  paint_.open(picture);
}

}  // namespace wayland
