#pragma once

#include <QImage>

#include "platform/desktop/clipboard.h"

namespace qtplatform {

// The system clipboard through Qt, whose application must exist by the time it is used.
class QtClipboard final : public platform::Clipboard {
 public:
  void Clear() override;
  void SetData(const graphics::Bitmap& picture) override;

  // At exit, after the event loop: if the clipboard still holds our picture, hands it to a
  // keeper process so that it stays pasteable after we are gone (X11 keeps no clipboard
  // content of its own). Left to itself, Qt offers it to a clipboard manager at exit, if one
  // runs, and waits up to five seconds for a slow one; the keeper asks the manager and keeps
  // nobody waiting.
  void handOver();

 private:
  QImage picture_;  // the picture we put on the clipboard last, if it still should hold it
  QImage spare_;    // the one before, cleared from the clipboard, its memory for the next
};

}  // namespace qtplatform
