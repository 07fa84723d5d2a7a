#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace keys {

struct Utf8Character {
  char32_t codePoint = 0;
  std::size_t length = 0;  // in bytes
};

// The first character of `text`; nothing when the text is empty or does not start with a
// well-formed UTF-8 sequence (overlong forms and surrogates count as malformed).
inline std::optional<Utf8Character> firstUtf8Character(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return Utf8Character{lead, 1};

  struct Form {
    unsigned char mask;
    unsigned char pattern;
    std::size_t length;
    char32_t smallest;
  };
  constexpr Form kForms[] = {
      {0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};
  for (const Form& form : kForms) {
    if ((lead & form.mask) != form.pattern) continue;
    if (text.size() < form.length) return std::nullopt;
    char32_t codePoint = lead & static_cast<unsigned char>(~form.mask);
    for (std::size_t i = 1; i < form.length; ++i) {
      const auto next = static_cast<unsigned char>(text[i]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      codePoint = (codePoint << 6) | (next & 0x3FU);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < form.smallest || codePoint > 0x10FFFF || surrogate) return std::nullopt;
    return Utf8Character{codePoint, form.length};
  }
  return std::nullopt;
}

}  // namespace keys
