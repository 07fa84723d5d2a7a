#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>

#include "platform/x11/clipboard_keeper.h"
#include "platform/x11/unique_fd.h"

namespace x11 {
namespace {

// Starting the keeper loads this executable again and connects to the X server: a few tens of
// milliseconds, more on a busy machine. Beyond this, the program goes on without it.
constexpr std::chrono::milliseconds kKeeperPatience{3000};

// The keeper gets its descriptors as its standard streams: ones that are standard streams
// already (when we were started without some) would be overwritten by the first moved.
UniqueFd clearOfStandardStreams(UniqueFd fd) {
  if (!fd || fd.get() > STDERR_FILENO) return fd;
  return UniqueFd(fcntl(fd.get(), F_DUPFD_CLOEXEC, STDERR_FILENO + 1));
}

// The offers in memory that only the keeper gets to see, sealed against any change.
UniqueFd contentInMemory(const std::vector<ClipboardOffer>& offers) {
  UniqueFd content = clearOfStandardStreams(
      UniqueFd(memfd_create("orvex-capture clipboard", MFD_CLOEXEC | MFD_ALLOW_SEALING)));
  if (!content || !writeOffers(content.get(), offers) ||
      fcntl(content.get(), F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) !=
          0) {
    return {};
  }
  return content;
}

// The keeper, in a session of its own (the terminal closing must not end it), with the
// defaults for every signal, the content as its standard input and `ready` as its standard
// output; -1 if it could not start.
pid_t spawnKeeper(int content, int ready) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, content, STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, ready, STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t signals;
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&attributes, &signals);
  sigfillset(&signals);
  posix_spawnattr_setsigdefault(&attributes, &signals);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  char* const argv[] = {program_invocation_name, const_cast<char*>(kClipboardKeeperOption),
                        nullptr};
  pid_t pid = -1;
  if (posix_spawn(&pid, "/proc/self/exe", &actions, &attributes, argv, environ) != 0) pid = -1;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// Whether the keeper said, in time, that it owns the clipboard.
bool heardReady(int ready) {
  const auto deadline = std::chrono::steady_clock::now() + kKeeperPatience;
  while (true) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd readable{ready, POLLIN, 0};
    const int polled = poll(&readable, 1, static_cast<int>(std::max<long>(left.count(), 0)));
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) return false;
    char byte = 0;
    const ssize_t got = read(ready, &byte, 1);
    if (got < 0 && errno == EINTR) continue;
    return got == 1;  // nothing: the keeper ended without taking the clipboard
  }
}

}  // namespace

bool startClipboardKeeper(const std::vector<ClipboardOffer>& offers) {
  const UniqueFd content = contentInMemory(offers);
  int ends[2];
  if (!content || pipe2(ends, O_CLOEXEC) != 0) return false;
  const UniqueFd readEnd(ends[0]);
  UniqueFd writeEnd = clearOfStandardStreams(UniqueFd(ends[1]));
  if (!writeEnd) return false;
  const pid_t keeper = spawnKeeper(content.get(), writeEnd.get());
  writeEnd.reset();  // so that the read ends if the keeper ends
  if (keeper < 0) return false;
  if (heardReady(readEnd.get())) return true;
  kill(keeper, SIGKILL);
  while (waitpid(keeper, nullptr, 0) < 0 && errno == EINTR) {
  }
  return false;
}

}  // namespace x11
