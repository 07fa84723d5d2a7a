// Writes the window's three images into the given directory (normally resources/):
//   make_resources <directory>
#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "tools/artwork.h"
#include "tools/windows_image_files.h"

namespace {

// The program and the tests rely on these exact layouts; a size that differs means the
// encoder chose another one.
constexpr std::size_t kIconBytes = 766;
constexpr std::size_t kCursorBytes = 326;
constexpr std::size_t kAboutCardBytes = 254550;

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes,
               std::size_t expectedSize) {
  if (bytes.size() != expectedSize) {
    throw std::runtime_error(path.string() + ": " + std::to_string(bytes.size()) +
                             " bytes, expected " + std::to_string(expectedSize));
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv) {
  // Drawing text needs a GUI application, but not a display.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: make_resources <directory>\n";
    return EXIT_FAILURE;
  }
  const std::filesystem::path directory = argv[1];
  try {
    const IconArt icon = cameraIcon();
    writeFile(directory / "camera.ico", encodeIcon(icon.image, icon.palette), kIconBytes);
    const CursorArt cursor = handCursor();
    writeFile(directory / "hand.cur", encodeCursor(cursor.image, cursor.hotSpotX, cursor.hotSpotY),
              kCursorBytes);
    writeFile(directory / "about.bmp", encodeBitmap(aboutCard()), kAboutCardBytes);
  } catch (const std::exception& error) {
    std::cerr << "make_resources: " << error.what() << '\n';
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}
