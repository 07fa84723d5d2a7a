#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

namespace x11 {

// Whether two names are the same letters, ignoring ASCII case.
inline bool sameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace x11
