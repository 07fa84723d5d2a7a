#include "platform/qt/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>

namespace qtplatform {
namespace {

constexpr std::array kTerminationSignals{SIGTERM, SIGINT, SIGHUP};

// The handler's end of the pipe that the event loop watches.
int signalPipe = -1;

// Nothing but what a signal handler may do: one write.
void noteSignal(int signal) {
  const int interrupted = errno;
  const auto number = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t written = write(signalPipe, &number, 1);
  errno = interrupted;
}

void endAsAClose() {
  QApplication::closeAllWindows();
  // Closing the last window quits; this covers a signal that came before any window showed.
  QCoreApplication::quit();
}

}  // namespace

void closeWindowsOnTerminationSignals() {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;  // the signals end us as they did
  signalPipe = ends[1];
  auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [readEnd = ends[0]] {
    char noted[16];
    while (read(readEnd, noted, sizeof noted) > 0) {
    }
    endAsAClose();
  });
  struct sigaction action {};
  action.sa_handler = noteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kTerminationSignals) {
    struct sigaction before {};
    sigaction(signal, nullptr, &before);
    if (before.sa_handler != SIG_IGN) sigaction(signal, &action, nullptr);
  }
}

}  // namespace qtplatform
