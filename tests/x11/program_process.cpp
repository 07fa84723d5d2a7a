#include "program_process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <stdexcept>

#include "wait_until.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kGraceAfterTerm = 3s;

// Spawns `argv` with the given file actions; -1 when it cannot.
int spawn(const std::vector<std::string>& argv, const posix_spawn_file_actions_t* actions) {
  std::vector<char*> arguments;
  arguments.reserve(argv.size() + 1);
  for (const std::string& argument : argv) arguments.push_back(const_cast<char*>(argument.c_str()));
  arguments.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, arguments[0], actions, nullptr, arguments.data(), environ) != 0) return -1;
  return pid;
}

bool reapWithin(int pid, std::chrono::milliseconds bound) {
  return waitUntil(
      [&] {
        const pid_t done = waitpid(pid, nullptr, WNOHANG);
        return done == pid || (done < 0 && errno != EINTR);
      },
      bound);
}

}  // namespace

// A process that is not our child is gone for good once it is a zombie or has left /proc.
bool foreignProcessGone(int pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string pidField;
  std::string name;
  char state = 0;
  if (!(stat >> pidField >> name >> state)) return true;
  return state == 'Z' || state == 'X';
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const StandardStreams& streams) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (streams.input >= 0) posix_spawn_file_actions_adddup2(&actions, streams.input, STDIN_FILENO);
  if (streams.output >= 0) {
    posix_spawn_file_actions_adddup2(&actions, streams.output, STDOUT_FILENO);
  }
  if (!streams.errorFile.empty()) {
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, streams.errorFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
  }
  pid_ = spawn(argv, &actions);
  posix_spawn_file_actions_destroy(&actions);
  if (pid_ < 0) throw std::runtime_error("cannot start " + argv.front());
}

bool ChildProcess::running() {
  if (reaped_) return false;
  int status = 0;
  reaped_ = waitpid(pid_, &status, WNOHANG) == pid_;
  if (reaped_) waitStatus_ = status;
  return !reaped_;
}

std::optional<int> ChildProcess::exitStatusWithin(std::chrono::milliseconds bound) {
  waitUntil([&] { return !running(); }, bound);
  if (!waitStatus_ || !WIFEXITED(*waitStatus_)) return std::nullopt;
  return WEXITSTATUS(*waitStatus_);
}

void ChildProcess::stop() {
  if (!running()) return;
  kill(pid_, SIGTERM);
  if (!reapWithin(pid_, kGraceAfterTerm)) {
    kill(pid_, SIGKILL);
    reapWithin(pid_, kGraceAfterTerm);
  }
  reaped_ = true;
}

std::optional<std::string> outputOf(const std::vector<std::string>& argv,
                                    std::chrono::milliseconds timeout) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  const int pid = spawn(argv, &actions);
  posix_spawn_file_actions_destroy(&actions);
  close(ends[1]);
  if (pid < 0) {
    close(ends[0]);
    return std::nullopt;
  }

  std::string output;
  bool ended = false;
  const auto deadline = Clock::now() + timeout;
  while (!ended && Clock::now() < deadline) {
    pollfd readable{ends[0], POLLIN, 0};
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (poll(&readable, 1, static_cast<int>(left.count()) + 1) <= 0) continue;
    char buffer[65536];
    const ssize_t got = read(ends[0], buffer, sizeof buffer);
    if (got > 0) output.append(buffer, static_cast<std::size_t>(got));
    ended = got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN);
  }
  close(ends[0]);
  if (!ended) kill(pid, SIGKILL);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!ended || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return output;
}

void endForeignProcess(int pid) {
  if (pid <= 0 || foreignProcessGone(pid)) return;
  kill(pid, SIGTERM);
  if (!waitUntil([&] { return foreignProcessGone(pid); }, kGraceAfterTerm)) {
    kill(pid, SIGKILL);
    waitUntil([&] { return foreignProcessGone(pid); }, kGraceAfterTerm);
  }
}
