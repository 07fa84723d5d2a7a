#include "tools/masked_image.h"

#include <stdexcept>
#include <string>

MaskedImage paint(const PixelArt& art, const std::map<char, std::uint8_t>& legend) {
  MaskedImage image;
  for (int y = 0; y < MaskedImage::kSide; ++y) {
    const std::string_view row = art[static_cast<std::size_t>(y)];
    if (row.size() != MaskedImage::kSide) {
      throw std::invalid_argument("art row " + std::to_string(y) + " is not 32 pixels wide");
    }
    for (int x = 0; x < MaskedImage::kSide; ++x) {
      const char pixel = row[static_cast<std::size_t>(x)];
      const std::size_t at = MaskedImage::at(x, y);
      if (pixel == '.') {
        image.transparent[at] = true;
        continue;
      }
      const auto colour = legend.find(pixel);
      if (colour == legend.end())
        throw std::invalid_argument(std::string("art uses unknown colour ") + pixel);
      image.index[at] = colour->second;
    }
  }
  return image;
}
