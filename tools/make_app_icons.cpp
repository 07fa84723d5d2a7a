// Writes the camera icon as PNG files for the desktop's icon theme, one per size:
//   make_app_icons <directory> <name> <size>...   ->   <directory>/<size>x<size>/apps/<name>.png
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include "tools/artwork.h"

namespace {

// Nearest neighbour by the program's own stretching rule: pixel x takes art pixel
// x * 32 / size, rounded down, so that halving keeps the outline on all four sides.
QImage iconAt(const IconArt& icon, int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const std::size_t at =
          MaskedImage::at(x * MaskedImage::kSide / size, y * MaskedImage::kSide / size);
      image.setPixel(
          x, y, icon.image.transparent[at] ? 0U : 0xFF000000U | icon.palette[icon.image.index[at]]);
    }
  }
  return image;
}

void writeIcon(const IconArt& icon, const std::filesystem::path& directory, const std::string& name,
               int size) {
  if (size <= 0) throw std::invalid_argument("icon size " + std::to_string(size));
  const std::string side = std::to_string(size);
  const std::filesystem::path folder = directory / (side + "x" + side) / "apps";
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / (name + ".png");
  if (!iconAt(icon, size).save(QString::fromStdString(file.string()), "PNG")) {
    throw std::runtime_error("cannot write " + file.string());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: make_app_icons <directory> <name> <size>...\n";
    return EXIT_FAILURE;
  }
  try {
    const IconArt icon = cameraIcon();
    for (int i = 3; i < argc; ++i) writeIcon(icon, argv[1], argv[2], std::stoi(argv[i]));
  } catch (const std::exception& error) {
    std::cerr << "make_app_icons: " << error.what() << '\n';
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}
