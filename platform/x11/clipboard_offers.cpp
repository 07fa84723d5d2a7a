#include "platform/x11/clipboard_offers.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace x11 {

namespace {

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

bool writeOffers(int fd, const std::vector<ClipboardOffer>& offers) {
  for (const ClipboardOffer& offer : offers) {
    const std::uint64_t size = offer.bytes.size();
    if (!writeAll(fd, std::string_view(offer.target.c_str(), offer.target.size() + 1)) ||
        !writeAll(fd, std::string_view(reinterpret_cast<const char*>(&size), sizeof size)) ||
        !writeAll(fd, offer.bytes)) {
      return false;
    }
  }
  return true;
}

std::optional<std::vector<ClipboardOffer>> unpackOffers(std::string_view packed) {
  std::vector<ClipboardOffer> offers;
  while (!packed.empty()) {
    const std::size_t nameEnd = packed.find('\0');
    if (nameEnd == 0 || nameEnd == std::string_view::npos) return std::nullopt;
    ClipboardOffer offer{std::string(packed.substr(0, nameEnd)), {}};
    packed.remove_prefix(nameEnd + 1);
    std::uint64_t size = 0;
    if (packed.size() < sizeof size) return std::nullopt;
    std::memcpy(&size, packed.data(), sizeof size);
    packed.remove_prefix(sizeof size);
    if (size > packed.size()) return std::nullopt;
    offer.bytes = packed.substr(0, size);
    packed.remove_prefix(size);
    offers.push_back(std::move(offer));
  }
  return offers;
}

}  // namespace x11
