#include "platform/win32/desktop/clipboard.h"

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/forms/runtime_error.h"
#include "platform/win32/desktop/clipboard_formats.h"

namespace win32 {
namespace {

// A clipboard viewer or history holds the clipboard open for a moment after each change.
constexpr std::chrono::milliseconds kOpenRetryInterval{10};
constexpr std::chrono::milliseconds kOpenTimeout{500};

// The clipboard, open for as long as this lives; throws when another program keeps it open.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) {
    const auto deadline = std::chrono::steady_clock::now() + kOpenTimeout;
    while (!OpenClipboard(owner)) {
      if (std::chrono::steady_clock::now() >= deadline) {
        throw forms::RuntimeError::clipboardUnavailable();
      }
      std::this_thread::sleep_for(kOpenRetryInterval);
    }
  }
  ~OpenClipboardScope() { CloseClipboard(); }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
};

// Global memory holding `data`, which the clipboard takes over once it accepts it.
struct GlobalFreer {
  void operator()(void* memory) const { GlobalFree(memory); }
};
using GlobalMemory = std::unique_ptr<void, GlobalFreer>;

GlobalMemory globalCopy(const std::vector<unsigned char>& data) {
  GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, data.size()));
  void* bytes = memory != nullptr ? GlobalLock(memory.get()) : nullptr;
  if (bytes == nullptr) throw forms::RuntimeError::clipboardUnavailable();
  std::memcpy(bytes, data.data(), data.size());
  GlobalUnlock(memory.get());
  return memory;
}

void put(UINT format, const std::vector<unsigned char>& data) {
  GlobalMemory memory = globalCopy(data);
  if (SetClipboardData(format, memory.get()) == nullptr) {
    throw forms::RuntimeError::clipboardUnavailable();
  }
  static_cast<void>(memory.release());  // the clipboard's now
}

}  // namespace

Clipboard::Clipboard()
    : owner_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                             nullptr)),
      pngFormat_(RegisterClipboardFormatW(L"PNG")) {}

void Clipboard::Clear() {
  const OpenClipboardScope open(owner_.get());
  if (!EmptyClipboard()) throw forms::RuntimeError::clipboardUnavailable();
}

void Clipboard::SetData(const graphics::Bitmap& picture) {
  // Encoded before the clipboard is opened: others wait while it is open.
  const bool empty = picture.width() == 0 || picture.height() == 0;
  const std::vector<unsigned char> dib = empty ? std::vector<unsigned char>() : packedDib(picture);
  const std::vector<unsigned char> png = empty ? std::vector<unsigned char>() : pngFile(picture);
  const OpenClipboardScope open(owner_.get());
  if (!EmptyClipboard()) throw forms::RuntimeError::clipboardUnavailable();
  // No picture is no picture to paste, not a broken file.
  if (empty) return;
  put(CF_DIB, dib);
  if (pngFormat_ != 0) put(pngFormat_, png);
}

}  // namespace win32
