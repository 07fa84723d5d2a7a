#include "platform/x11/program_launcher.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <csignal>
#include <optional>

#include "platform/forms/runtime_error.h"
#include "platform/x11/ascii_case.h"
#include "platform/x11/executable_search.h"
#include "platform/x11/paint_program.h"

namespace x11 {
namespace {

// What the two forked processes tell us through a pipe; each message is written whole.
struct Report {
  enum Kind : int { Started, ForkFailed, ExecFailed } kind;
  int value;        // the program's pid, or errno
  int session = 0;  // with Started: the program's session
};

class Pipe {
 public:
  Pipe() {
    if (pipe2(ends_, O_CLOEXEC) != 0) ends_[0] = ends_[1] = -1;
  }
  ~Pipe() {
    closeEnd(0);
    closeEnd(1);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;

  bool open() const { return ends_[0] >= 0; }
  int readEnd() const { return ends_[0]; }
  int writeEnd() const { return ends_[1]; }
  void closeEnd(int end) {
    if (ends_[end] >= 0) close(ends_[end]);
    ends_[end] = -1;
  }

 private:
  int ends_[2];
};

// Everything the forked processes need, made before forking: after fork in a threaded
// program only async-signal-safe calls are allowed.
struct Launch {
  std::string file;
  char* argv[2];
  struct sigaction defaultAction;
  sigset_t noSignals;
};

void report(int fd, Report::Kind kind, int value, int session = 0) {
  const Report message{kind, value, session};
  [[maybe_unused]] const ssize_t written = write(fd, &message, sizeof message);
}

[[noreturn]] void execProgram(const Launch& launch, int reportFd) {
  // Qt's blocked and handled signals are no business of the program's.
  sigprocmask(SIG_SETMASK, &launch.noSignals, nullptr);
  for (int number = 1; number < NSIG; ++number) sigaction(number, &launch.defaultAction, nullptr);
  execve(launch.file.c_str(), launch.argv, environ);
  report(reportFd, Report::ExecFailed, errno);
  _exit(127);
}

// The middle process of a double fork: it starts the program and exits at once, so the
// program is adopted by init, which reaps it, and we reap only this one.
[[noreturn]] void startDetached(const Launch& launch, int reportFd) {
  const pid_t session = setsid();
  const pid_t program = fork();
  if (program == 0) execProgram(launch, reportFd);
  if (program < 0) {
    report(reportFd, Report::ForkFailed, errno);
  } else {
    report(reportFd, Report::Started, program, session > 0 ? session : 0);
  }
  _exit(0);
}

void reap(pid_t child) {
  while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
}

// The program's report once it has been executed; nothing when it could not be.
std::optional<Report> readOutcome(const Pipe& channel) {
  std::optional<Report> started;
  bool execFailed = false;
  Report message{};
  while (true) {
    const ssize_t got = read(channel.readEnd(), &message, sizeof message);
    if (got < 0 && errno == EINTR) continue;
    if (got != static_cast<ssize_t>(sizeof message)) break;  // end: every write end is closed
    if (message.kind == Report::Started) started = message;
    if (message.kind != Report::Started) execFailed = true;
  }
  if (execFailed) return std::nullopt;
  return started;
}

std::optional<Report> launchDetached(const std::string& file, const std::string& name) {
  Launch launch{file, {const_cast<char*>(name.c_str()), nullptr}, {}, {}};
  launch.defaultAction.sa_handler = SIG_DFL;
  sigemptyset(&launch.defaultAction.sa_mask);
  sigemptyset(&launch.noSignals);

  Pipe channel;
  if (!channel.open()) return std::nullopt;
  const pid_t middle = fork();
  if (middle == 0) startDetached(launch, channel.writeEnd());
  channel.closeEnd(1);  // so that reading ends when the children's copies close
  if (middle < 0) return std::nullopt;
  const std::optional<Report> started = readOutcome(channel);
  reap(middle);
  return started;
}

// What to start for `path`: the path itself, or for the classic paint path the desktop's
// paint program.
std::string programFor(const std::string& path) {
  if (!isClassicPaintPath(path)) return path;
  if (std::optional<std::string> paint = installedPaintProgram()) return *paint;
  throw forms::RuntimeError::paintProgramNotFound(paintProgramNames());
}

}  // namespace

StartedProgram startProgram(const std::string& path) {
  const std::string name = programFor(path);
  const std::optional<std::string> file = findExecutable(name);
  if (!file) throw forms::RuntimeError::fileNotFound(name);
  const std::optional<Report> started = launchDetached(*file, name);
  if (!started) throw forms::RuntimeError::fileNotFound(name);
  return {started->value, started->session, name};
}

bool StartedProgram::isNamedBy(std::string_view windowClass) const {
  const std::string_view program = std::string_view(name).substr(name.rfind('/') + 1);
  if (program.empty() || windowClass.size() < program.size()) return false;
  // The name alone, or with a version after a dash: "gimp-2.10".
  const std::string_view after = windowClass.substr(program.size());
  const bool version =
      after.size() > 1 && after[0] == '-' && std::isdigit(static_cast<unsigned char>(after[1]));
  if (sameIgnoringCase(windowClass.substr(0, program.size()), program) &&
      (after.empty() || version)) {
    return true;
  }
  // The last part of an application id: "org.kde.kolourpaint".
  const std::string_view before = windowClass.substr(0, windowClass.size() - program.size());
  return before.ends_with('.') && sameIgnoringCase(windowClass.substr(before.size()), program);
}

}  // namespace x11
