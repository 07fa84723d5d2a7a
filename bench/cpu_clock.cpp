#include "bench/cpu_clock.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace bench {

std::optional<double> processCpuMilliseconds(pid_t pid) {
  std::error_code error;
  std::filesystem::directory_iterator threads("/proc/" + std::to_string(pid) + "/task", error);
  if (error) return std::nullopt;
  unsigned long long nanoseconds = 0;
  for (const auto& thread : threads) {
    std::ifstream schedstat(thread.path() / "schedstat");
    unsigned long long onCpu = 0;
    if (schedstat >> onCpu) nanoseconds += onCpu;
  }
  return static_cast<double>(nanoseconds) / 1e6;
}

namespace {

// The inode of the socket listening at `path`, from the kernel's table of Unix sockets.
std::optional<unsigned long> listeningSocketInode(const std::string& path) {
  std::ifstream table("/proc/net/unix");
  std::string line;
  std::getline(table, line);  // the header
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string slot;
    std::string refCount;
    std::string protocol;
    std::string flags;
    std::string type;
    std::string state;
    unsigned long inode = 0;
    std::string socketPath;
    if (fields >> slot >> refCount >> protocol >> flags >> type >> state >> inode >> socketPath &&
        socketPath == path) {
      return inode;
    }
  }
  return std::nullopt;
}

// The process holding a file descriptor on that socket.
std::optional<pid_t> socketOwner(unsigned long inode) {
  const std::string target = "socket:[" + std::to_string(inode) + "]";
  std::error_code error;
  for (const auto& process : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = process.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::error_code unreadable;  // processes come and go, and some are not ours to look at
    for (const auto& fd : std::filesystem::directory_iterator(process.path() / "fd", unreadable)) {
      if (std::filesystem::read_symlink(fd.path(), unreadable).string() == target) {
        return static_cast<pid_t>(std::stoi(name));
      }
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<pid_t> xServerPid() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || display[0] != ':') return std::nullopt;
  std::string number = display + 1;
  number = number.substr(0, number.find('.'));  // ":147.0" is server 147
  const auto inode = listeningSocketInode("/tmp/.X11-unix/X" + number);
  return inode ? socketOwner(*inode) : std::nullopt;
}

}  // namespace bench
