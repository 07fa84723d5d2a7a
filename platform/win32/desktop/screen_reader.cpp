#include "platform/win32/desktop/screen_reader.h"

#include <algorithm>

#include "platform/forms/runtime_error.h"
#include "platform/win32/desktop/system_error.h"

namespace win32 {
namespace {

constexpr const char* kNoScreen = "画面を開けません";
constexpr const char* kNoMemory = "画面を写すメモリーを確保できません";
constexpr const char* kCopyRefused =
    "画面を写せません。ロック画面やユーザー アカウント制御の確認が出ている間は読めません";

[[noreturn]] void throwUnreadable(const char* reason) {
  throw forms::RuntimeError::screenUnreadable(std::string(reason) + " (" +
                                              systemMessage(GetLastError()) + ")");
}

// The screen's device context for one read.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {
    if (dc_ == nullptr) throwUnreadable(kNoScreen);
  }
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace

ScreenReader::ScreenReader() : memory_(CreateCompatibleDC(nullptr)) {}

graphics::Rect ScreenReader::bounds() const {
  return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
          GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void ScreenReader::reserve(int width, int height) {
  if (width <= capacity_.width && height <= capacity_.height) return;
  if (memory_ == nullptr) throwUnreadable(kNoMemory);
  // Never smaller in either direction: a live view that alternates two sizes settles at once.
  const graphics::Size size{std::max(width, capacity_.width), std::max(height, capacity_.height)};
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = size.width;
  format.bmiHeader.biHeight = -size.height;  // top-down: rows in the order the copy reads them
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  DibSection section(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (section == nullptr) throwUnreadable(kNoMemory);
  SelectObject(memory_.get(), section.get());
  section_ = std::move(section);  // the old one, no longer selected, goes
  pixels_ = static_cast<graphics::Pixel*>(bits);
  capacity_ = size;
}

graphics::PixelView ScreenReader::read(const graphics::Rect& area) {
  reserve(area.width, area.height);
  const ScreenDc screen;
  // CAPTUREBLT: layered windows (tooltips, menus, translucent windows) are part of the picture.
  if (!BitBlt(memory_.get(), 0, 0, area.width, area.height, screen.get(), area.left, area.top,
              SRCCOPY | CAPTUREBLT)) {
    throwUnreadable(kCopyRefused);
  }
  GdiFlush();
  // The fourth byte of a 32-bit DIB is not defined for a copy from the screen (composited
  // content leaves alpha there); our pixels have it 0.
  for (int y = 0; y < area.height; ++y) {
    graphics::Pixel* row = pixels_ + static_cast<std::ptrdiff_t>(y) * capacity_.width;
    for (int x = 0; x < area.width; ++x) row[x] &= 0xFFFFFFU;
  }
  return {pixels_, capacity_.width, area.width, area.height};
}

}  // namespace win32
