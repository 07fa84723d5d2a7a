#include "platform/wayland/paint_by_file.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "platform/forms/runtime_error.h"
#include "platform/x11/executable_search.h"
#include "platform/x11/paint_program.h"

namespace wayland {
namespace {

constexpr const char* kCannotWrite = "絵をファイルに書き出せません: ";

// A descriptor that becomes readable when the process ends, whoever's child it is.
int processEndFd(qint64 pid) {
  return static_cast<int>(syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
}

}  // namespace

PaintByFile::~PaintByFile() {
  for (const auto& opened : opened_) {
    opened->ending.reset();
    if (opened->processFd >= 0) close(opened->processFd);
  }
  if (!directory_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(directory_, ignored);  // only if empty
  }
}

std::filesystem::path PaintByFile::pictureDirectory() {
  if (!directory_.empty()) return directory_;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string pattern = std::string(runtime != nullptr && runtime[0] == '/' ? runtime : "/tmp") +
                        "/orvex-capture-XXXXXX";
  // mkdtemp makes it the user's alone (0700).
  if (mkdtemp(pattern.data()) == nullptr) {
    throw forms::RuntimeError::fileNotFound(pattern);
  }
  directory_ = pattern;
  return directory_;
}

void PaintByFile::handOver(const graphics::Bitmap& bitmap, forms::Runtime& /*runtime*/) {
  const std::optional<std::string> program = x11::installedPaintProgram();
  if (!program) throw forms::RuntimeError::paintProgramNotFound(x11::paintProgramNames());
  const std::optional<std::string> executable = x11::findExecutable(*program);
  if (!executable) throw forms::RuntimeError::programNotStarted(*program);

  auto opened = std::make_unique<Opened>();
  opened->file = pictureDirectory() / ("orvex-capture-" + std::to_string(++pictures_) + ".png");
  // The bitmap's own pixels, not copied.
  const QImage picture(reinterpret_cast<const uchar*>(bitmap.row(0)), bitmap.width(),
                       bitmap.height(), bitmap.stride() * 4, QImage::Format_RGB32);
  if (!picture.save(QString::fromStdString(opened->file.string()), "PNG")) {
    remove(*opened);
    throw forms::RuntimeError(75, kCannotWrite + opened->file.string());
  }
  qint64 pid = 0;
  if (!QProcess::startDetached(QString::fromStdString(*executable),
                               {QString::fromStdString(opened->file.string())}, QString(), &pid)) {
    remove(*opened);
    throw forms::RuntimeError::programNotStarted(*program);
  }
  opened->processFd = processEndFd(pid);
  if (opened->processFd >= 0) {
    opened->ending = std::make_unique<QSocketNotifier>(opened->processFd, QSocketNotifier::Read);
    Opened& watched = *opened;
    QObject::connect(watched.ending.get(), &QSocketNotifier::activated, watched.ending.get(),
                     [this, &watched] {
                       watched.ending->setEnabled(false);
                       remove(watched);
                     });
  }
  opened_.push_back(std::move(opened));
}

void PaintByFile::remove(Opened& opened) {
  std::error_code ignored;
  std::filesystem::remove(opened.file, ignored);
}

}  // namespace wayland
