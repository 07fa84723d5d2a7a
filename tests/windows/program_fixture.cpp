#include "program_fixture.h"

#include <chrono>
#include <cstdlib>

#include "platform/win32/utf16.h"
#include "support/host_commands.h"
#include "support/pictures.h"
#include "support/wait.h"

namespace wine_test {
namespace {

using namespace std::chrono_literals;

constexpr const wchar_t* kWindowClass = L"OrvexCaptureWindow";
constexpr const wchar_t* kPictureClass = L"OrvexCapturePicture";
constexpr const wchar_t* kTitle = L"Orvex画面キャプチャー";
constexpr std::uint32_t kPatternSeed = 8;

void runOnDisplay(const std::string& command) {
  ASSERT_TRUE(hostOutput(command).has_value()) << command;
}

std::wstring textOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

std::vector<HWND> childrenOf(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM found) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

std::wstring classOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

}  // namespace

void ProgramTest::SetUp() {
  // Each test starts with the pointer where an earlier one cannot have left it: away from the
  // pattern and from where the window opens.
  movePointer(kPointerParking);
  pattern_ = std::make_unique<PatternWindow>(kPatternPlace, kPatternSeed);
  ASSERT_TRUE(pattern_->shown()) << "the pattern window did not show";
  startProgram();
}

void ProgramTest::TearDown() {
  if (process_.hProcess == nullptr) return;
  saveScreenOnFailure();
  // An error the program reported would sit in a box of its own.
  HWND box = FindWindowW(L"#32770", nullptr);
  EXPECT_TRUE(box == nullptr) << "a message box is up: " << win32::toUtf8(textOf(box));
  EXPECT_TRUE(closeProgram()) << "the program did not end when its window was closed";
}

void ProgramTest::saveScreenOnFailure() const {
  const char* directory = std::getenv("ORVEX_FAILURE_SCREENSHOTS");
  if (directory == nullptr || !HasFailure()) return;
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  hostOutput(std::string("import -window root '") + directory + "/" + test->test_suite_name() +
             "." + test->name() + ".png'");
}

void ProgramTest::startProgram() {
  std::wstring commandLine = std::wstring(L"\"") + ORVEX_PROGRAM + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process_));
  ASSERT_TRUE(waitUntil([&] {
    window_ = FindWindowW(kWindowClass, kTitle);
    return window_ != nullptr && IsWindowVisible(window_);
  })) << "no window";
  SetWindowPos(window_, nullptr, kWindowPlace.x, kWindowPlace.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  runOnDisplay("xdotool search --name '^Orvex画面キャプチャー$' windowactivate --sync");
  ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == window_; })) << "never active";
}

bool ProgramTest::closeProgram() {
  PostMessageW(window_, WM_CLOSE, 0, 0);
  const bool ended = WaitForSingleObject(process_.hProcess, 5000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process_.hProcess, 1);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
  process_ = {};
  return ended;
}

void ProgramTest::movePointer(POINT screen) const {
  // Not xdotool's --sync, which waits for a motion event that a move to where the pointer
  // already is never brings.
  runOnDisplay("xdotool mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y));
  EXPECT_TRUE(waitUntil([&] {
    POINT now{};
    return GetCursorPos(&now) != FALSE && now.x == screen.x && now.y == screen.y;
  })) << "the pointer did not get to "
      << screen.x << "," << screen.y;
}

void ProgramTest::strikeKey(const std::string& keys) const {
  // For a keypad key xdotool toggles Num Lock itself, on when it was off but off again when it
  // was on: so it starts from off, whatever an earlier test left.
  const std::string numLockOff =
      keys.starts_with("KP_") ? "xset q | grep -q 'Num Lock: *on' && xdotool key Num_Lock; " : "";
  runOnDisplay(numLockOff + "xdotool key " + keys);
}

void ProgramTest::clickAt(POINT screen) const {
  movePointer(screen);
  runOnDisplay("xdotool click 1");
}

void ProgramTest::markRectangle(POINT first, POINT second, const std::string& secondKey) const {
  movePointer(first);
  strikeKey("1");
  movePointer({second.x - 3, second.y - 24});
  strikeKey(secondKey);
}

HWND ProgramTest::control(const wchar_t* className, const std::wstring& text) const {
  for (HWND child : childrenOf(window_)) {
    if (classOf(child) == className && textOf(child) == text) return child;
  }
  return nullptr;
}

std::vector<HWND> ProgramTest::pictures() const {
  std::vector<HWND> found;
  for (HWND child : childrenOf(window_)) {
    if (classOf(child) == kPictureClass) found.push_back(child);
  }
  return found;
}

RECT ProgramTest::screenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

POINT ProgramTest::centreOf(HWND window) {
  const RECT rect = screenRect(window);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

graphics::Bitmap ProgramTest::grab(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);
  graphics::Bitmap picture = pixelsOf(bitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

std::optional<graphics::Bitmap> ProgramTest::clipboardPicture() {
  // Wine opens the clipboard only for a thread with a window.
  static HWND reader =
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (OpenClipboard(reader) == FALSE) return std::nullopt;
  std::optional<graphics::Bitmap> picture;
  // Windows makes the CF_BITMAP of older programs out of the DIB the program put there.
  if (auto* bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) picture = pixelsOf(bitmap);
  CloseClipboard();
  return picture;
}

::testing::AssertionResult ProgramTest::showsPattern(const graphics::Bitmap& picture, POINT topLeft,
                                                     int zoom) const {
  if (picture.width() == 0 || picture.height() == 0) {
    return ::testing::AssertionFailure() << "an empty picture";
  }
  int wrong = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      wrong += picture.at(x, y) != pattern_->at(topLeft.x + x / zoom, topLeft.y + y / zoom);
    }
  }
  if (wrong == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << wrong << " of " << picture.width() << "x"
                                       << picture.height() << " pixels differ from the pattern";
}

::testing::AssertionResult ProgramTest::clipboardShowsPattern(POINT topLeft, int zoom) const {
  ::testing::AssertionResult outcome = ::testing::AssertionFailure() << "no picture";
  waitUntil([&] {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    const std::optional<graphics::Bitmap> picture = clipboardPicture();
    return picture && (outcome = showsPattern(*picture, topLeft, zoom));
  });
  return outcome;
}

::testing::AssertionResult ProgramTest::viewShowsPattern(POINT topLeft, int zoom) const {
  ::testing::AssertionResult outcome = ::testing::AssertionFailure();
  waitUntil([&] {
    return static_cast<bool>(outcome = showsPattern(grab(screenRect(view())), topLeft, zoom));
  });
  return outcome;
}

}  // namespace wine_test
