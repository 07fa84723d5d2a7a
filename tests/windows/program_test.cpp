// The real orvex-capture.exe under Wine on a virtual X display with a window manager, driven
// like a user: its window, a still capture and the lens bar, video mode, Paint, the help and
// the about card; and the same program at 150 % scaling.
#include <windows.h>

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <utility>

#include "app/command_line.h"
#include "help/usage_text.h"
#include "platform/win32/utf16.h"
#include "program_fixture.h"
#include "support/host_commands.h"
#include "support/stand_in_paint.h"
#include "support/wait.h"

namespace wine_test {
namespace {

using namespace std::chrono_literals;

constexpr const wchar_t* kButton = L"Button";
constexpr int kLensStepsPerZoom = 10;  // the lens bar counts tenths
constexpr const char* kFindWindowOnDisplay = "xdotool search --name '^Orvex画面キャプチャー$'";

class Program : public ProgramTest {
 protected:
  const POINT first_ = onPattern(150, 120);
  const POINT second_ = onPattern(270, 210);
};

TEST_F(Program, OpensWithItsCaptionIconAndJapaneseCaptions) {
  // The title and the icon as the window manager and the task bar see them.
  const std::optional<std::string> xWindow = hostOutput(kFindWindowOnDisplay);
  ASSERT_TRUE(xWindow.has_value());
  const std::string id = xWindow->substr(0, xWindow->find('\n'));
  EXPECT_EQ(hostOutput("xdotool getwindowname " + id), "Orvex画面キャプチャー\n");
  EXPECT_NE(hostOutput("xprop -id " + id + " _NET_WM_ICON").value_or("").find("Icon (32 x 32)"),
            std::string::npos)
      << "no 32×32 icon";
  for (const wchar_t* caption : {L"Paint", L"ビデオ", L"作動中", L"ヘルプ"}) {
    EXPECT_NE(control(kButton, caption), nullptr) << win32::toUtf8(caption);
  }
  EXPECT_NE(control(L"Static", L"1"), nullptr) << "the zoom read-out";
  // For docs/window-windows.png: ORVEX_SAVE_SCREENSHOT=/path saves the framed window there.
  if (const char* path = std::getenv("ORVEX_SAVE_SCREENSHOT"); path != nullptr && *path != '\0') {
    EXPECT_TRUE(hostOutput("import -frame -window " + id + " " + std::string(path)));
  }
}

TEST_F(Program, StillCaptureIsPixelExactAtZoomOneAndBlockExactAtZoomTwo) {
  markRectangle(first_, second_, "KP_2");  // the keypad's keys do as the main ones
  EXPECT_TRUE(clipboardShowsPattern(first_, 1));
  EXPECT_TRUE(viewShowsPattern(first_, 1));
  // The last key release gave the lens bar the focus; Right adds a tenth each time.
  for (int step = 0; step < kLensStepsPerZoom; ++step) strikeKey("Right");
  EXPECT_TRUE(clipboardShowsPattern(first_, 2));
  EXPECT_TRUE(viewShowsPattern(first_, 2));
}

TEST_F(Program, VideoModeFollowsThePointerAndThreeCopiesIt) {
  // Taken before the click, which changes the button's caption.
  const RECT row = screenRect(control(kButton, L"ビデオ"));
  const RECT bar = screenRect(control(L"ScrollBar", L""));
  clickAt(centreOf(control(kButton, L"ビデオ")));
  // Over the window's own background, between the button row and the lens bar.
  movePointer({(row.left + row.right) / 2, (row.bottom + bar.top) / 2});
  const POINT here = onPattern(100, 200);
  const POINT there = onPattern(300, 500);
  movePointer(here);
  EXPECT_TRUE(viewShowsPattern(here, 1));
  movePointer(there);
  EXPECT_TRUE(viewShowsPattern(there, 1));
  strikeKey("3");
  EXPECT_TRUE(clipboardShowsPattern(there, 1));
}

TEST_F(Program, PaintGetsTheCapturePastedPixelForPixel) {
  StandInPaint paint;
  ASSERT_TRUE(paint.installed());
  markRectangle(first_, second_);
  ASSERT_TRUE(clipboardShowsPattern(first_, 1));
  strikeKey("4");
  const std::optional<graphics::Bitmap> pasted = paint.pasted(10s);
  ASSERT_TRUE(pasted.has_value()) << "nothing was pasted";
  EXPECT_TRUE(showsPattern(*pasted, first_, 1));
}

// The text of the error box the program put up, once it has; the box is closed then.
// The text of a message box: empty while the box is still being built.
std::wstring boxText(HWND box) {
  std::wstring text;
  for (HWND child = FindWindowExW(box, nullptr, L"Static", nullptr); child != nullptr;
       child = FindWindowExW(box, child, L"Static", nullptr)) {
    std::wstring part(1024, L'\0');
    // Another process's control: its text by WM_GETTEXT.
    part.resize(static_cast<std::size_t>(
        SendMessageW(child, WM_GETTEXT, part.size(), reinterpret_cast<LPARAM>(part.data()))));
    text += part;
  }
  return text;
}

std::string reportedError() {
  HWND box = nullptr;
  std::wstring text;
  if (!waitUntil(
          [&] {
            box = FindWindowW(L"#32770", nullptr);
            return box != nullptr && !(text = boxText(box)).empty();
          },
          10s))
    return {};
  PostMessageW(box, WM_CLOSE, 0, 0);
  waitUntil([] { return FindWindowW(L"#32770", nullptr) == nullptr; });
  return win32::toUtf8(text);
}

// A short note of the program's shows (a tracking tooltip of its process).
bool noteShows(DWORD program) {
  for (HWND tip = FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr); tip != nullptr;
       tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(tip, &pid);
    if (pid == program && IsWindowVisible(tip)) return true;
  }
  return false;
}

// With a Paint that never shows a window (the launcher, waiting), ten quick presses start it
// once and tell the rest; meanwhile the window goes on as ever (a resize is laid out, keys are
// handled), and then one error comes.
TEST_F(Program, PressesWhileAHandOffWaitsAreToldAndTheWindowGoesOn) {
  StandInPaint launcher(ORVEX_TEST_LAUNCHER_PROGRAM);
  ASSERT_TRUE(launcher.installed());
  clickAt(centreOf(control(kButton, L"ビデオ")));
  for (int press = 0; press < 10; ++press) strikeKey("4");
  EXPECT_TRUE(waitUntil([&] { return noteShows(process_.dwProcessId); })) << "no note";
  EXPECT_EQ(StandInPaint::running(), 1);

  SetWindowPos(window_, nullptr, 0, 0, 500, 420, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT view{};
  ASSERT_TRUE(waitUntil([&] {
    view = screenRect(this->view());
    RECT client{};
    GetClientRect(window_, &client);
    return view.right - view.left == client.right;
  })) << "not laid out at the new size";
  movePointer(onPattern(100, 100));
  strikeKey("3");
  EXPECT_TRUE(waitUntil([&] {
    const auto picture = clipboardPicture();
    return picture && picture->width() == view.right - view.left &&
           picture->height() == view.bottom - view.top;
  })) << "the view of the new size did not go to the clipboard";
  EXPECT_EQ(FindWindowW(L"#32770", nullptr), nullptr)
      << "the hand-off ended before the window took the key";

  EXPECT_NE(reportedError().find("のウィンドウが開きませんでした"), std::string::npos);
  EXPECT_EQ(StandInPaint::running(), 1);
}

// Not when the wait runs out: the error says how it ended.
TEST_F(Program, APaintThatEndsAtOnceIsReportedWithItsExitCode) {
  StandInPaint launcher(ORVEX_TEST_LAUNCHER_PROGRAM);
  ASSERT_TRUE(closeProgram());
  SetEnvironmentVariableW(L"ORVEX_TEST_EXIT", L"3");
  startProgram();
  SetEnvironmentVariableW(L"ORVEX_TEST_EXIT", nullptr);
  clickAt(centreOf(control(kButton, L"ビデオ")));
  strikeKey("4");
  const std::string error = reportedError();
  EXPECT_NE(error.find("終了しました (終了コード 3)"), std::string::npos) << error;
}

TEST_F(Program, HelpShowsTheUsageTextOverTheView) {
  clickAt(centreOf(control(kButton, L"ヘルプ")));
  HWND text = nullptr;
  ASSERT_TRUE(waitUntil([&] {
    text = FindWindowExW(view(), nullptr, L"Edit", nullptr);
    return text != nullptr && IsWindowVisible(text);
  }));
  // The text may come just after the box shows.
  std::string shown;
  waitUntil([&] {
    std::wstring wide(4096, L'\0');
    // Another process's control: its text by WM_GETTEXT, GetWindowText gives only captions.
    wide.resize(static_cast<std::size_t>(
        SendMessageW(text, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()))));
    return (shown = win32::toUtf8(wide)) == help::usageText();
  });
  EXPECT_EQ(shown, help::usageText());
  clickAt(centreOf(control(kButton, L"ＯＫ")));
  EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(text); }));
}

TEST_F(Program, AboutCardIsCutToAnEllipseAndAClickOutsideItReachesTheView) {
  HWND card = pictures().at(2);
  clickAt(centreOf(view()));
  ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(card); })) << "no card";
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetWindowRgn(card, region), COMPLEXREGION);
  RECT bounds{};
  GetRgnBox(region, &bounds);
  DeleteObject(region);
  const RECT place = screenRect(card);
  EXPECT_EQ(bounds.left, 10);
  EXPECT_EQ(bounds.top, 10);
  // GDI leaves an elliptic region's right and bottom edge out.
  EXPECT_EQ(bounds.right, place.right - place.left - 10 - 1);
  EXPECT_EQ(bounds.bottom, place.bottom - place.top - 10 - 1);

  // The corner the ellipse cuts away shows the view; a click there is the view's, which hides
  // the card all the same.
  const POINT corner{place.left + 12, place.top + 12};
  const RECT cornerPixel{corner.x, corner.y, corner.x + 1, corner.y + 1};
  const RECT centrePixel{centreOf(card).x, centreOf(card).y, centreOf(card).x + 1,
                         centreOf(card).y + 1};
  EXPECT_TRUE(waitUntil([&] { return grab(centrePixel).at(0, 0) != grab(cornerPixel).at(0, 0); }));
  EXPECT_EQ(WindowFromPoint(corner), view());
  clickAt(corner);
  EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(card); })) << "the card is still up";
  // And a click inside the ellipse is the card's.
  clickAt(centreOf(view()));
  ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(card); }));
  EXPECT_EQ(WindowFromPoint(centreOf(card)), card);
  clickAt(centreOf(card));
  EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(card); }));
}

// The program started with `option`, its standard output and error going into one pipe: what
// it wrote there and its exit status.
std::pair<std::string, DWORD> runWithOption(const std::wstring& option) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (CreatePipe(&readEnd, &writeEnd, &inherited, 0) == FALSE) return {"no pipe", 255};
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  std::wstring commandLine = std::wstring(L"\"") + ORVEX_PROGRAM + L"\" " + option;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &process);
  CloseHandle(writeEnd);
  std::string written;
  char chunk[4096];
  DWORD got = 0;
  while (started != FALSE && ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) != FALSE &&
         got > 0) {
    written.append(chunk, got);
  }
  CloseHandle(readEnd);
  DWORD status = 255;
  if (started != FALSE) {
    WaitForSingleObject(process.hProcess, 10000);
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  return {written, status};
}

// What the shared parser answers to `option`: the text of both streams and the exit status.
std::pair<std::string, DWORD> sharedAnswer(const char* option) {
  std::ostringstream out;
  std::ostringstream err;
  const char* const arguments[] = {option};
  const std::optional<int> status = commandline::answer(commandline::parse(arguments), out, err);
  return {out.str() + err.str(), static_cast<DWORD>(status.value_or(-1))};
}

// Options are answered on a redirected stream, word for word as the shared parser has it, and
// no window opens for them.
TEST_F(Program, AnswersItsOptionsOnARedirectedStream) {
  EXPECT_EQ(runWithOption(L"--version"), sharedAnswer("--version"));
  EXPECT_EQ(runWithOption(L"--no-such-option"), sharedAnswer("--no-such-option"));
  EXPECT_EQ(runWithOption(L"--version --no-such-option").second, 2U) << "nothing after an option";
  // Only the window the fixture started.
  EXPECT_EQ(FindWindowExW(nullptr, window_, L"OrvexCaptureWindow", nullptr), nullptr);
}

// With a decimal comma in the user's regional settings (as a German Windows has it), the zoom
// read-out has one, as it has under a German locale on Linux.
TEST_F(Program, TheZoomReadOutHasTheUsersDecimalSeparator) {
  ASSERT_TRUE(closeProgram());
  HKEY international = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\International", 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE, &international),
            ERROR_SUCCESS);
  const auto setSeparator = [&](const std::wstring& separator) {
    RegSetValueExW(international, L"sDecimal", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(separator.c_str()),
                   static_cast<DWORD>((separator.size() + 1) * sizeof(wchar_t)));
  };
  setSeparator(L",");
  startProgram();
  setSeparator(L".");
  RegCloseKey(international);

  strikeKey("Left");  // its release gives the lens bar the focus
  strikeKey("Home");
  EXPECT_TRUE(waitUntil([&] { return control(L"Static", L"0,1") != nullptr; }));
}

// At 150 % scaling (144 dpi) the program lays itself out in real pixels at 10 twips per pixel,
// its text drawn at that size, and a capture is still pixel for pixel what the screen shows.
TEST_F(Program, At150PercentScalingIsLaidOutInRealPixelsAndCapturesPixelForPixel) {
  ASSERT_TRUE(closeProgram());
  HKEY desktop = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_SET_VALUE, &desktop),
            ERROR_SUCCESS);
  const auto setDpi = [&](DWORD dpi) {
    RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof dpi);
  };
  setDpi(144);
  startProgram();
  setDpi(96);
  RegCloseKey(desktop);

  // The design's 4212 twips of view width are 421 pixels there, not 96-dpi pixels stretched.
  const RECT shown = screenRect(view());
  EXPECT_EQ(shown.right - shown.left, 421);
  markRectangle(first_, second_);
  EXPECT_TRUE(clipboardShowsPattern(first_, 1));
  EXPECT_TRUE(viewShowsPattern(first_, 1));
}

}  // namespace
}  // namespace wine_test
