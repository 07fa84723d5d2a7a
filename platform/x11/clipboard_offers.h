#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace x11 {

// One form of the clipboard's content: the target a program asks for ("image/png") and the
// bytes it gets.
struct ClipboardOffer {
  std::string target;
  std::string_view bytes;
};

// Writes the offers to `fd` in one block, as the clipboard keeper receives them from the
// program: each a target name ending in a NUL, its size as 8 bytes, and its bytes. False when
// the file takes them not.
bool writeOffers(int fd, const std::vector<ClipboardOffer>& offers);
// The offers in a block that writeOffers made, viewing its bytes; nothing when it is malformed.
std::optional<std::vector<ClipboardOffer>> unpackOffers(std::string_view packed);

}  // namespace x11
