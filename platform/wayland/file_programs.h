#pragma once

#include <QImage>
#include <functional>

#include "platform/desktop/programs.h"
#include "platform/wayland/paint_by_file.h"

namespace wayland {

// Program start for the paint hand-off on Wayland, where no program may type into another:
// "start the paint program, then paste" becomes "open the picture in the paint program". The
// start waits for the paste, which opens the clipboard's picture (ours) as a file.
class FilePrograms final : public platform::Programs {
 public:
  // `picture` gives the picture we put on the clipboard last; null when it holds none of ours.
  explicit FilePrograms(std::function<QImage()> picture) : picture_(std::move(picture)) {}

  // The paint program: checks that one is installed and waits for the paste. Anything else
  // starts at once.
  double Shell(const std::string& path, int windowStyle) override;
  // The paste after the paint program's start opens the picture in it; other keys cannot be
  // sent on Wayland and throw.
  void SendKeys(const std::string& keys, bool wait) override;

 private:
  std::function<QImage()> picture_;
  PaintByFile paint_;
  bool paintAwaitsPicture_ = false;
};

}  // namespace wayland
