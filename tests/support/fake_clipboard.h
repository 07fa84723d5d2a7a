#pragma once

#include <optional>

#include "platform/desktop/clipboard.h"

namespace fake {

// A clipboard that remembers the last picture put on it.
class FakeClipboard final : public platform::Clipboard {
 public:
  void Clear() override;
  // Throws the runtime's clipboard error while made to fail.
  void SetData(const graphics::Bitmap& picture) override;

  const std::optional<graphics::Bitmap>& picture() const { return picture_; }
  int clears() const { return clears_; }
  void setFails(bool fail) { fails_ = fail; }

 private:
  std::optional<graphics::Bitmap> picture_;
  int clears_ = 0;
  bool fails_ = false;
};

}  // namespace fake
