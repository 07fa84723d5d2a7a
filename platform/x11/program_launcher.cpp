#include "platform/x11/program_launcher.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "platform/forms/runtime_error.h"
#include "platform/x11/ascii_case.h"
#include "platform/x11/executable_search.h"

namespace x11 {
namespace {

// What the watching process tells us through a pipe; each message is written whole.
struct Report {
  enum Kind : int { Started, ForkFailed, ExecFailed, Ended } kind;
  int value;        // the program's pid, errno, or its wait status
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
  UniqueFd takeReadEnd() { return UniqueFd(std::exchange(ends_[0], -1)); }

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

template <typename Value>
bool readWhole(int fd, Value& value) {
  ssize_t got = 0;
  do {
    got = read(fd, &value, sizeof value);
  } while (got < 0 && errno == EINTR);
  return got == static_cast<ssize_t>(sizeof value);
}

void reap(pid_t child, int* status = nullptr) {
  while (waitpid(child, status, 0) < 0 && errno == EINTR) {
  }
}

// Qt's blocked and handled signals are no business of the program's, nor of its watcher,
// which must get SIGCHLD to wait for it.
void resetSignals(const Launch& launch) {
  sigprocmask(SIG_SETMASK, &launch.noSignals, nullptr);
  for (int number = 1; number < NSIG; ++number) sigaction(number, &launch.defaultAction, nullptr);
}

// The exec pipe closes by itself when the program is executed; the errno comes through it
// when it cannot be.
[[noreturn]] void execProgram(const Launch& launch, int execFd) {
  execve(launch.file.c_str(), launch.argv, environ);
  const int error = errno;
  [[maybe_unused]] const ssize_t written = write(execFd, &error, sizeof error);
  _exit(127);
}

// The watcher: in a session of its own, it starts the program, says whether it was executed,
// then waits for it and says how it ended. When we stop watching we end it, and the program
// is adopted by init, which reaps it.
[[noreturn]] void watchProgram(const Launch& launch, int reportFd, Pipe& execution) {
  resetSignals(launch);
  const pid_t session = setsid();
  const pid_t program = fork();
  if (program == 0) execProgram(launch, execution.writeEnd());
  execution.closeEnd(1);  // so that reading ends when the program's copy closes
  if (program < 0) {
    report(reportFd, Report::ForkFailed, errno);
    _exit(0);
  }
  if (int error = 0; readWhole(execution.readEnd(), error)) {
    report(reportFd, Report::ExecFailed, error);
    reap(program);
    _exit(0);
  }
  report(reportFd, Report::Started, program, session > 0 ? session : 0);
  int status = 0;
  reap(program, &status);
  report(reportFd, Report::Ended, status);
  _exit(0);
}

// The program being watched, once it has been executed; nothing when it could not be.
std::optional<LaunchedProgram> launchWatched(const std::string& file, const std::string& name) {
  Launch launch{file, {const_cast<char*>(name.c_str()), nullptr}, {}, {}};
  launch.defaultAction.sa_handler = SIG_DFL;
  sigemptyset(&launch.defaultAction.sa_mask);
  sigemptyset(&launch.noSignals);

  Pipe reports;
  Pipe execution;
  if (!reports.open() || !execution.open()) return std::nullopt;
  const pid_t watcher = fork();
  if (watcher == 0) watchProgram(launch, reports.writeEnd(), execution);
  // Only the watcher and the program keep these.
  reports.closeEnd(1);
  execution.closeEnd(0);
  execution.closeEnd(1);
  if (watcher < 0) return std::nullopt;
  Report first{};
  if (!readWhole(reports.readEnd(), first) || first.kind != Report::Started) {
    reap(watcher);
    return std::nullopt;
  }
  UniqueFd reportsIn = reports.takeReadEnd();
  fcntl(reportsIn.get(), F_SETFL, O_NONBLOCK);  // the end is asked for between other work
  return LaunchedProgram{{first.value, first.session, name},
                         EndWatch(std::move(reportsIn), watcher)};
}

}  // namespace

LaunchedProgram startProgram(const std::string& path) {
  const std::optional<std::string> file = findExecutable(path);
  if (!file) throw forms::RuntimeError::fileNotFound(path);
  std::optional<LaunchedProgram> launched = launchWatched(*file, path);
  if (!launched) throw forms::RuntimeError::fileNotFound(path);
  return std::move(*launched);
}

EndWatch::~EndWatch() {
  if (watcher_ <= 0) return;
  reports_.reset();
  kill(watcher_, SIGKILL);
  reap(watcher_);
}

EndWatch::EndWatch(EndWatch&& other) noexcept
    : reports_(std::move(other.reports_)),
      watcher_(std::exchange(other.watcher_, -1)),
      end_(std::move(other.end_)) {}

std::optional<platform::ProgramEnd> EndWatch::end() {
  Report message{};
  if (!end_ && reports_ && readWhole(reports_.get(), message) && message.kind == Report::Ended) {
    end_ = programEndOf(message.value);
  }
  return end_;
}

platform::ProgramEnd programEndOf(int waitStatus) {
  if (WIFSIGNALED(waitStatus)) {
    const char* name = sigabbrev_np(WTERMSIG(waitStatus));
    return {true, "シグナル " + (name != nullptr ? "SIG" + std::string(name)
                                                 : std::to_string(WTERMSIG(waitStatus)))};
  }
  const int code = WEXITSTATUS(waitStatus);
  return {code != 0, "終了コード " + std::to_string(code)};
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
