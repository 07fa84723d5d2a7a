// A test program: shows known noise (test_pattern::pixel) in a borderless window of its own,
// for tests that read the screen under Wine, which sees only Wine's own windows. The window
// stays on top, takes no focus and has no task-bar button; it goes when its process is ended
// or it is sent WM_CLOSE.
// Usage: orvex-test-pattern LEFT TOP WIDTH HEIGHT SEED
#include <windows.h>

#include <cwchar>
#include <vector>

#include "support/test_pattern.h"

namespace {

constexpr const wchar_t* kClassName = L"OrvexTestPattern";

struct Pattern {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // top-down rows, 0x00RRGGBB as a 32-bit DIB holds them
};
Pattern pattern;

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      BITMAPINFO format{};
      format.bmiHeader = {
          sizeof(BITMAPINFOHEADER), pattern.width, -pattern.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
      SetDIBitsToDevice(dc, 0, 0, pattern.width, pattern.height, 0, 0, 0, pattern.height,
                        pattern.pixels.data(), &format, DIB_RGB_COLORS);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr || count != 6) return 2;
  const int left = _wtoi(arguments[1]);
  const int top = _wtoi(arguments[2]);
  pattern.width = _wtoi(arguments[3]);
  pattern.height = _wtoi(arguments[4]);
  const auto seed = static_cast<std::uint32_t>(wcstoul(arguments[5], nullptr, 10));
  LocalFree(arguments);
  if (pattern.width <= 0 || pattern.height <= 0) return 2;
  for (int y = 0; y < pattern.height; ++y) {
    for (int x = 0; x < pattern.width; ++x)
      pattern.pixels.push_back(test_pattern::pixel(seed, x, y));
  }

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);
  // A borderless tool window: Wine leaves it unmanaged, exactly where it is put.
  HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"Orvex test pattern",
                                WS_POPUP, left, top, pattern.width, pattern.height, nullptr,
                                nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
