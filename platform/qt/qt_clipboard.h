#pragma once

#include "platform/desktop/clipboard.h"

namespace qtplatform {

// The system clipboard through Qt, whose application must exist by the time it is used. It
// lives as long as the program: where the clipboard must outlive it (X11), the desktop serves
// it otherwise.
class QtClipboard final : public platform::Clipboard {
 public:
  void Clear() override;
  void SetData(const graphics::Bitmap& picture) override;
};

}  // namespace qtplatform
