#include "platform/x11/executable_search.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace x11 {
namespace {

// What a login shell searches when PATH is unset.
constexpr std::string_view kDefaultPath = "/usr/local/bin:/usr/bin:/bin";

bool isExecutableFile(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::optional<std::string> findExecutable(const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (name.find('/') != std::string::npos) {
    if (isExecutableFile(name)) return name;
    return std::nullopt;
  }
  const char* path = std::getenv("PATH");
  std::string_view directories = path != nullptr ? std::string_view(path) : kDefaultPath;
  while (true) {
    const std::size_t colon = directories.find(':');
    const std::string_view directory = directories.substr(0, colon);
    // An empty entry means the current directory.
    std::string candidate(directory.empty() ? std::string_view(".") : directory);
    candidate.append("/").append(name);
    if (isExecutableFile(candidate)) return candidate;
    if (colon == std::string_view::npos) return std::nullopt;
    directories.remove_prefix(colon + 1);
  }
}

}  // namespace x11
