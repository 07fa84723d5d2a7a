#include "platform/wayland/restore_token_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace wayland {
namespace {

constexpr std::size_t kLongestToken = 256;
constexpr const char* kDirectoryName = "orvex-capture";
constexpr const char* kFileName = "screencast-token";

std::filesystem::path userStateDirectory() {
  const char* state = std::getenv("XDG_STATE_HOME");
  // The base directory specification: a relative path there is to be ignored.
  if (state != nullptr && state[0] == '/') return state;
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : "/") / ".local" / "state";
}

bool writeAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = write(fd, text.data() + done, text.size() - done);
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

bool looksLikeRestoreToken(const std::string& text) {
  return !text.empty() && text.size() <= kLongestToken &&
         std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

RestoreTokenStore RestoreTokenStore::inUserState() {
  return RestoreTokenStore(userStateDirectory() / kDirectoryName / kFileName);
}

std::string RestoreTokenStore::load() const {
  std::ifstream in(file_, std::ios::binary);
  // One character more than a token may have: a longer file is no token.
  std::string text(kLongestToken + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return looksLikeRestoreToken(text) ? text : std::string();
}

bool RestoreTokenStore::save(const std::string& token) const {
  if (!looksLikeRestoreToken(token)) return false;
  const std::filesystem::path directory = file_.parent_path();
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) return false;
  // Whoever made it, the directory is the user's alone from now on.
  if (chmod(directory.c_str(), S_IRWXU) != 0) return false;
  const std::filesystem::path fresh = file_.string() + ".new";
  const int fd =
      open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR);
  if (fd < 0) return false;
  const bool written = fchmod(fd, S_IRUSR | S_IWUSR) == 0 && writeAll(fd, token + "\n");
  const bool closed = close(fd) == 0;
  if (!written || !closed || rename(fresh.c_str(), file_.c_str()) != 0) {
    unlink(fresh.c_str());
    return false;
  }
  return true;
}

void RestoreTokenStore::forget() const {
  std::error_code ignored;
  std::filesystem::remove(file_, ignored);
}

}  // namespace wayland
