#pragma once

#include <QSocketNotifier>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/desktop/paint_program.h"

namespace wayland {

// The paint hand-off on Wayland, where no program may type into another's window: the paint
// program opens the picture as a file. The picture goes as a PNG into a directory of ours under
// $XDG_RUNTIME_DIR that only the user can enter, and is removed when the paint program that
// opened it has ended. The hand-off is over once the program has started: it shows in its own
// time.
class PaintByFile final : public platform::PaintProgram {
 public:
  PaintByFile() = default;
  // Removes the pictures whose programs have ended, and the directory once it is empty; a
  // paint program still running keeps its picture.
  ~PaintByFile() override;
  PaintByFile(const PaintByFile&) = delete;
  PaintByFile& operator=(const PaintByFile&) = delete;

  bool handingOver() const override { return false; }
  // Throws forms::RuntimeError when no paint program is installed, the picture cannot be
  // written, or the program cannot start (nothing is left behind then).
  void handOver(const graphics::Bitmap& picture, forms::Runtime& runtime) override;

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
