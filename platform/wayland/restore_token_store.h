#pragma once

#include <filesystem>
#include <string>

namespace wayland {

// The user's remembered consent to share the screen: the ScreenCast portal's restore token,
// the only thing the program stores. Kept in a directory only the user can enter, in a file
// only the user can read, so the permission dialog shows once and not at every start.
class RestoreTokenStore {
 public:
  explicit RestoreTokenStore(std::filesystem::path file) : file_(std::move(file)) {}
  // $XDG_STATE_HOME/orvex-capture/screencast-token, ~/.local/state when that is not set.
  static RestoreTokenStore inUserState();

  // The kept token; empty when there is none, or what is there is not a token.
  std::string load() const;
  // Replaces the kept token at once (a new file renamed over the old). False if it could not.
  bool save(const std::string& token) const;
  void forget() const;

  const std::filesystem::path& file() const { return file_; }

 private:
  std::filesystem::path file_;
};

// A portal's restore token is a short printable string; anything else read back is no token.
bool looksLikeRestoreToken(const std::string& text);

}  // namespace wayland
