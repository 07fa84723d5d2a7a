#include <QApplication>
#include <QFont>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "app/command_line.h"
#include "app/form1.h"
#include "platform/forms/numeric.h"
#include "platform/forms/runtime.h"
#include "platform/forms/runtime_error.h"
#include "platform/qt/qt_toolkit.h"
#include "platform/qt/termination_signals.h"
#include "platform/wayland/session.h"
#include "platform/wayland/wayland_desktop.h"
#include "platform/wayland/window_system.h"
#include "platform/x11/clipboard_keeper.h"
#include "platform/x11/qt/desktop.h"
#include "platform/x11/qt/display_probe.h"
#include "platform/x11/qt/wayland_notice.h"

namespace {

// The class of the window (WM_CLASS) is the application's name: the task bar matches it to the
// desktop entry of the same id.
constexpr const char* kApplicationId = ORVEX_APPLICATION_ID;

void reportStartFailure(const std::string& japaneseReason, const std::string& englishReason) {
  const bool japaneseReader = commandline::localeIsJapanese(
      std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
  std::cerr << commandline::startFailure(japaneseReason, englishReason, japaneseReader);
}

// The desktop, the toolkit and the window, made in this order and destroyed in reverse, all
// while the application exists.
struct Program {
  x11::Desktop desktop;
  qtplatform::QtToolkit toolkit{desktop.windowSystem()};
  forms::Runtime runtime{toolkit, desktop};
  Form1 form{runtime};
};

// The same on Wayland, whose desktop tells the user through the toolkit what happens to the
// sharing of the screen: a note for a refusal (and a line on stderr, as errors get), a message
// where sharing cannot work at all.
struct WaylandProgram {
  wayland::WindowSystem windowSystem;
  qtplatform::QtToolkit toolkit{windowSystem};
  wayland::WaylandDesktop desktop{
      {.note =
           [this](const std::string& note) {
             std::cerr << commandline::kProgramName << ": " << note << '\n';
             toolkit.showStatus(note);
           },
       .problem =
           [this](const std::string& problem) {
             toolkit.reportError(forms::RuntimeError::screenUnreadable(problem));
           }}};
  forms::Runtime runtime{toolkit, desktop};
  Form1 form{runtime};
};

// Qt's Wayland platform in a Wayland session whose compositor answers, unless the user chose
// a platform.
bool runsOnWayland() {
  const char* chosen = std::getenv("QT_QPA_PLATFORM");
  if (chosen != nullptr && chosen[0] != '\0')
    return std::string_view(chosen).starts_with("wayland");
  return wayland::waylandDisplayAnswers();
}

template <typename AProgram>
std::unique_ptr<AProgram> makeProgram() {
  try {
    return std::make_unique<AProgram>();
  } catch (const std::exception& error) {
    reportStartFailure(error.what(), error.what());
    return nullptr;
  }
}

void startApplication() {
  // Qt has taken the user's locale (LC_ALL, LC_NUMERIC, LANG) into the C library's.
  forms::setDecimalSeparator(std::localeconv()->decimal_point);
  qtplatform::closeWindowsOnTerminationSignals();
  QApplication::setApplicationName(kApplicationId);
  QGuiApplication::setDesktopFileName(kApplicationId);
  // No font of that name here: IPA's proportional gothic is its closest match.
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                             {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
}

}  // namespace

int main(int argc, char** argv) {
  // The program started again by itself to keep its picture on the clipboard after exit: an
  // internal option, before the ones a user may give.
  if (argc == 2 && std::strcmp(argv[1], x11::kClipboardKeeperOption) == 0) {
    return x11::runClipboardKeeper();
  }
  // Options are answered before Qt or the display is touched, so they work without a desktop.
  const std::span<const char* const> arguments(argv, static_cast<std::size_t>(argc));
  const commandline::Request request =
      commandline::parse(arguments.empty() ? arguments : arguments.subspan(1));
  if (const auto status = commandline::answer(request, std::cout, std::cerr)) return *status;

  // Magnifying is pixel for pixel: the cursor, the screen reads and the window stay in device
  // pixels, and the screen's real DPI gives the twips per pixel.
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  // Qt sees none of the arguments: the options above are all the program takes.
  int qtArgc = 1;
  if (runsOnWayland()) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "wayland");
    QApplication app(qtArgc, argv);
    startApplication();
    const std::unique_ptr<WaylandProgram> program = makeProgram<WaylandProgram>();
    if (program == nullptr) return EXIT_FAILURE;
    program->form.Start();
    program->desktop.start();
    return QApplication::exec();
  }

  const x11::XDisplayKind xDisplay = x11::probeXDisplay();
  if (xDisplay == x11::XDisplayKind::Unreachable) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr) {
      reportStartFailure("DISPLAY が設定されていません", "DISPLAY is not set");
    } else {
      const std::string name = commandline::quoted(display);
      reportStartFailure("X ディスプレイ " + name + " に接続できません",
                         "cannot connect to X display " + name);
    }
    return EXIT_FAILURE;
  }
  // X11 in a session without a Wayland compositor to talk to, or when the user chose it: the
  // screen reads, the pointer and the sent keys all go through X, and the window lives there.
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(qtArgc, argv);
  startApplication();
  const std::unique_ptr<Program> program = makeProgram<Program>();
  if (program == nullptr) return EXIT_FAILURE;
  // Closing the window ends the program: it is the last window, and Qt quits then. SIGTERM,
  // SIGINT and SIGHUP close it as the user would.
  program->form.Start();
  if (xDisplay == x11::XDisplayKind::XWayland) x11::showWaylandNotice();
  const int status = QApplication::exec();
  program->desktop.handOverClipboard();
  return status;
}
