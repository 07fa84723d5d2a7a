#include "platform/qt/qt_desktop.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QtGlobal>
#include <algorithm>
#include <chrono>
#include <utility>

#include "platform/forms/runtime_error.h"
#include "platform/x11/pointer.h"
#include "platform/x11/program_window.h"

namespace qtplatform {
namespace {

constexpr float kTwipsPerInch = 1440.0F;
// What a screen without a reported resolution is taken for.
constexpr double kDefaultDotsPerInch = 96.0;
// kolourpaint's window is up in well under a second; a slow start must not freeze us for long.
constexpr std::chrono::milliseconds kProgramWindowTimeout{5000};

QImage toImage(const graphics::Bitmap& picture) {
  QImage image(picture.width(), picture.height(), QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y) {
    std::copy_n(picture.row(y), picture.width(),
                reinterpret_cast<graphics::Pixel*>(image.scanLine(y)));
  }
  return image;
}

float twipsPerPixel(double dotsPerInch) {
  return kTwipsPerInch / static_cast<float>(dotsPerInch > 0 ? dotsPerInch : kDefaultDotsPerInch);
}

// A program just started may ask for our clipboard before it shows its window (kolourpaint
// does, to enable its Paste) and waits for the answer: keep serving it while we wait for that
// window, but let no handler run meanwhile: no user input, no timers.
void serveClipboardRequests() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                  QEventLoop::X11ExcludeTimers);
}

QClipboard& systemClipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();  // null before the application exists
  if (clipboard == nullptr) throw forms::RuntimeError::clipboardUnavailable();
  return *clipboard;
}

const QScreen* primaryScreen() {
  return QGuiApplication::instance() != nullptr ? QGuiApplication::primaryScreen() : nullptr;
}

}  // namespace

QtDesktop::QtDesktop() : screenReader_(connection_), keySender_(connection_) {
  if (!screenReader_.readable()) {
    qWarning("The screen's pixels are not 8-bit RGB TrueColor: screen captures will fail.");
  }
}

QtDesktop::~QtDesktop() = default;

std::int32_t QtDesktop::GetCursorPos(platform::PointApi& point) {
  const auto position = x11::pointerPosition(connection_);
  if (!position) return 0;
  point.X = position->x;
  point.Y = position->y;
  return 1;
}

// The window manager opens a started program's window normal and focused, which is all the
// program ever asks for; the style is not passed on.
double QtDesktop::Shell(const std::string& path, int /*windowStyle*/) {
  programAwaitingKeys_ = x11::startProgram(path);
  return programAwaitingKeys_->pid;
}

// The keys are always processed by the time this returns, wait or not: syncing with the server
// is also what keeps X errors from the requests inside our error trap.
void QtDesktop::SendKeys(const std::string& keys, bool /*wait*/) {
  const x11::KeyPresses presses = keySender_.prepare(keys);
  if (const auto program = std::exchange(programAwaitingKeys_, std::nullopt)) {
    if (!x11::waitForProgramWindow(connection_, program->pid, kProgramWindowTimeout,
                                   serveClipboardRequests)) {
      throw forms::RuntimeError::programWindowDidNotAppear(program->name);
    }
  }
  keySender_.send(presses);
}

void QtDesktop::Beep() { QApplication::beep(); }

void QtDesktop::QtClipboard::Clear() { systemClipboard().clear(); }

void QtDesktop::QtClipboard::SetData(const graphics::Bitmap& picture) {
  systemClipboard().setImage(toImage(picture));
}

float QtDesktop::QtScreen::TwipsPerPixelX() const {
  const QScreen* screen = primaryScreen();
  return twipsPerPixel(screen != nullptr ? screen->logicalDotsPerInchX() : kDefaultDotsPerInch);
}

float QtDesktop::QtScreen::TwipsPerPixelY() const {
  const QScreen* screen = primaryScreen();
  return twipsPerPixel(screen != nullptr ? screen->logicalDotsPerInchY() : kDefaultDotsPerInch);
}

}  // namespace qtplatform
