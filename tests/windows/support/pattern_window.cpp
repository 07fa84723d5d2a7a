#include "support/pattern_window.h"

#include <string>

#include "support/test_pattern.h"
#include "support/wait.h"

namespace wine_test {
namespace {

// COLORREF is 0x00BBGGRR.
graphics::Pixel fromColorRef(COLORREF colour) {
  return graphics::rgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

}  // namespace

PatternWindow::PatternWindow(const graphics::Rect& place, std::uint32_t seed)
    : place_(place), seed_(seed) {
  std::wstring commandLine = std::wstring(L"\"") + ORVEX_TEST_PATTERN_PROGRAM + L"\" " +
                             std::to_wstring(place.left) + L" " + std::to_wstring(place.top) +
                             L" " + std::to_wstring(place.width) + L" " +
                             std::to_wstring(place.height) + L" " + std::to_wstring(seed);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process_)) {
    return;
  }
  WaitForInputIdle(process_.hProcess, 5000);
  // Its corners as the screen shows them: painted.
  HDC screen = GetDC(nullptr);
  const auto showsCorner = [&](int x, int y) {
    return fromColorRef(GetPixel(screen, x, y)) == at(x, y);
  };
  shown_ = waitUntil([&] {
    return showsCorner(place.left, place.top) && showsCorner(place.right() - 1, place.bottom() - 1);
  });
  ReleaseDC(nullptr, screen);
}

PatternWindow::~PatternWindow() {
  if (process_.hProcess == nullptr) return;
  TerminateProcess(process_.hProcess, 0);
  WaitForSingleObject(process_.hProcess, 5000);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

graphics::Pixel PatternWindow::at(int x, int y) const {
  return test_pattern::pixel(seed_, x - place_.left, y - place_.top);
}

graphics::Bitmap PatternWindow::picture() const {
  graphics::Bitmap picture(place_.width, place_.height);
  for (int y = 0; y < place_.height; ++y) {
    for (int x = 0; x < place_.width; ++x) picture.set(x, y, test_pattern::pixel(seed_, x, y));
  }
  return picture;
}

}  // namespace wine_test
