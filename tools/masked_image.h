#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string_view>

// A 32×32 picture of palette indices with a transparency mask, top row first: what one image
// of an icon or cursor file holds.
struct MaskedImage {
  static constexpr int kSide = 32;
  std::array<std::uint8_t, kSide * kSide> index{};
  std::array<bool, kSide * kSide> transparent{};

  static std::size_t at(int x, int y) {
    return static_cast<std::size_t>(y) * kSide + static_cast<std::size_t>(x);
  }
};

// Pixel art, one string per row and one character per pixel; '.' is transparent and every
// other character is looked up in the legend.
using PixelArt = std::array<std::string_view, MaskedImage::kSide>;
MaskedImage paint(const PixelArt& art, const std::map<char, std::uint8_t>& legend);
