#pragma once

#include <cstdint>

// The noise that the pattern window program shows and that tests expect: every pixel of a
// window differs from its neighbours, so that a pixel taken from one place off is seen.
namespace test_pattern {

// 0x00RRGGBB of pixel (x, y) of a pattern window shown with `seed`.
constexpr std::uint32_t pixel(std::uint32_t seed, int x, int y) {
  std::uint32_t h = seed * 0x9E3779B9U ^ static_cast<std::uint32_t>(x) * 0x85EBCA6BU ^
                    static_cast<std::uint32_t>(y) * 0xC2B2AE35U;
  h ^= h >> 16;
  h *= 0x7FEB352DU;
  h ^= h >> 15;
  h *= 0x846CA68BU;
  h ^= h >> 16;
  return h & 0xFFFFFFU;
}

}  // namespace test_pattern
