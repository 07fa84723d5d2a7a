#pragma once

#include "platform/desktop/clipboard.h"
#include "platform/win32/handles.h"

namespace win32 {

// The system clipboard. The picture goes as CF_DIB, which Paint, Word and browsers paste (and
// from which Windows makes CF_BITMAP and CF_DIBV5 for whoever asks), and as "PNG", which
// today's programs prefer. Both are handed over whole, so they stay after we are gone.
class Clipboard final : public platform::Clipboard {
 public:
  Clipboard();

  void Clear() override;
  void SetData(const graphics::Bitmap& picture) override;

 private:
  // Owns what we put on the clipboard: emptied with no owner, it would take no data.
  OwnedWindow owner_;
  UINT pngFormat_;
};

}  // namespace win32
