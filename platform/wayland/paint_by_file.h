#pragma once

#include <QImage>
#include <QSocketNotifier>
#include <filesystem>
#include <memory>
#include <vector>

namespace wayland {

// Opens a picture in the desktop's paint program as a file: on Wayland no program may type
// into another's window, so the paste that hands it over elsewhere cannot happen here. The
// picture goes as a PNG into a directory of ours under $XDG_RUNTIME_DIR that only the user can
// enter, and is removed when the paint program that opened it has ended.
class PaintByFile {
 public:
  PaintByFile() = default;
  // Removes the pictures whose programs have ended, and the directory once it is empty; a
  // paint program still running keeps its picture.
  ~PaintByFile();
  PaintByFile(const PaintByFile&) = delete;
  PaintByFile& operator=(const PaintByFile&) = delete;

  // Starts the paint program with the picture and returns; it shows in its own time. Throws
  // forms::RuntimeError when no paint program is installed, the picture cannot be written, or
  // the program cannot start (nothing is left behind then).
  void open(const QImage& picture);

 private:
  struct Opened {
    std::filesystem::path file;
    int processFd = -1;  // readable once the program has ended; -1 when it cannot be watched
    std::unique_ptr<QSocketNotifier> ending;
  };
  std::filesystem::path pictureDirectory();
  void remove(Opened& opened);

  std::filesystem::path directory_;  // made when first needed
  unsigned pictures_ = 0;
  std::vector<std::unique_ptr<Opened>> opened_;
};

}  // namespace wayland
