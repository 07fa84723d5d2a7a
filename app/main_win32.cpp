#include <windows.h>

#include "resources/windows_resources.h"

// Until the Win32 peers exist, the Windows entry only proves that the executable carries its
// resources where Windows looks for them: it loads each one and ends.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
  const bool loaded = LoadIconW(instance, MAKEINTRESOURCEW(IDI_CAMERA)) != nullptr &&
                      LoadCursorW(instance, MAKEINTRESOURCEW(IDC_HAND_POINTER)) != nullptr &&
                      LoadBitmapW(instance, MAKEINTRESOURCEW(IDB_ABOUT_CARD)) != nullptr;
  return loaded ? 0 : 1;
}
