#include "tests/support/fake_clipboard.h"

#include "platform/forms/runtime_error.h"

namespace fake {

void FakeClipboard::Clear() {
  ++clears_;
  picture_.reset();
}

void FakeClipboard::SetData(const graphics::Bitmap& picture) {
  if (fails_) throw forms::RuntimeError::clipboardUnavailable();
  picture_ = picture;
}

}  // namespace fake
