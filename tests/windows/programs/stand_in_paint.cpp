// A test program standing in for Paint at the classic path, which Wine does not have. On
// Ctrl+V it pastes the clipboard's CF_DIB, shows it at the top left of its window, and writes
// it, byte for byte as pasted, as a BMP file "pasted.bmp" beside itself (whole, or not at
// all), where tests read it and compare it pixel for pixel with what was copied.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const wchar_t* kClassName = L"OrvexStandInPaint";
constexpr const wchar_t* kPastedFile = L"pasted.bmp";

std::vector<unsigned char> pasted;  // the CF_DIB as pasted: header, colour masks, pixels

std::wstring besideUs(const std::wstring& name) {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
  return path.substr(0, path.rfind(L'\\') + 1) + name;
}

// Where in a packed DIB the pixels start.
std::size_t pixelOffset(const BITMAPINFOHEADER& header) {
  std::size_t offset = header.biSize;
  if (header.biSize == sizeof(BITMAPINFOHEADER) && header.biCompression == BI_BITFIELDS) {
    offset += 3 * sizeof(DWORD);
  }
  DWORD colours = header.biClrUsed;
  if (colours == 0 && header.biBitCount <= 8) colours = 1U << header.biBitCount;
  return offset + colours * sizeof(RGBQUAD);
}

bool paste(HWND window) {
  for (int attempt = 0; !OpenClipboard(window); ++attempt) {
    if (attempt == 50) return false;
    Sleep(10);
  }
  HANDLE data = GetClipboardData(CF_DIB);
  const void* bytes = data != nullptr ? GlobalLock(data) : nullptr;
  if (bytes != nullptr) {
    const auto* first = static_cast<const unsigned char*>(bytes);
    pasted.assign(first, first + GlobalSize(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return bytes != nullptr && pasted.size() >= sizeof(BITMAPINFOHEADER);
}

void writePasted() {
  BITMAPINFOHEADER header;
  std::memcpy(&header, pasted.data(), sizeof header);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfSize = static_cast<DWORD>(sizeof file + pasted.size());
  file.bfOffBits = static_cast<DWORD>(sizeof file + pixelOffset(header));
  const std::wstring path = besideUs(kPastedFile);
  const std::wstring part = path + L".part";
  HANDLE out = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  const bool whole =
      WriteFile(out, &file, sizeof file, &written, nullptr) &&
      WriteFile(out, pasted.data(), static_cast<DWORD>(pasted.size()), &written, nullptr);
  CloseHandle(out);
  if (whole) MoveFileExW(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void showPasted(HDC dc) {
  if (pasted.empty()) return;
  const auto* info = reinterpret_cast<const BITMAPINFO*>(pasted.data());
  const LONG height =
      info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
  SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(info->bmiHeader.biWidth),
                    static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height),
                    pasted.data() + pixelOffset(info->bmiHeader), info, DIB_RGB_COLORS);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == 'V' && GetKeyState(VK_CONTROL) < 0 && paste(window)) {
        writePasted();
        InvalidateRect(window, nullptr, TRUE);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      showPasted(BeginPaint(window, &paint));
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

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);
  HWND window =
      CreateWindowExW(0, kClassName, L"Stand-in Paint", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 800, 600, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
