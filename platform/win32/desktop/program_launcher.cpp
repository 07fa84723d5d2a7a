#include "platform/win32/desktop/program_launcher.h"

#include <optional>

#include "platform/forms/runtime_error.h"
#include "platform/win32/utf16.h"

namespace win32 {
namespace {

constexpr const wchar_t* kClassicPaintPath = LR"(C:\Program Files\Accessories\MSPAINT.EXE)";
constexpr const wchar_t* kSystemPaintPath = LR"(%SystemRoot%\System32\mspaint.exe)";
constexpr const wchar_t* kSearchedPaint = L"mspaint.exe";

// What to start: a file, or (no file) a name for the system's search.
struct Launch {
  std::wstring file;
  std::wstring commandLine;
};

Launch launchOf(const std::wstring& file) { return {file, L'"' + file + L'"'}; }

bool isFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring expanded(const wchar_t* path) {
  std::wstring text(MAX_PATH, L'\0');
  const DWORD length = ExpandEnvironmentStringsW(path, text.data(), MAX_PATH);
  if (length == 0 || length > MAX_PATH) return path;
  text.resize(length - 1);  // the count includes the terminating null
  return text;
}

bool isNotFound(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME;
}

// Its job keeps the processes it starts findable; one that asks to leave may (browsers' and
// installers' helpers do), rather than fail to start.
KernelHandle jobFor(HANDLE process) {
  KernelHandle job(CreateJobObjectW(nullptr, nullptr));
  if (job == nullptr) return job;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_BREAKAWAY_OK;
  SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
  if (!AssignProcessToJobObject(job.get(), process)) job.reset();
  return job;
}

// The started program, or nothing with GetLastError() saying why.
std::optional<StartedProgram> start(const Launch& launch) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = launch.commandLine;  // CreateProcessW may write into it
  // Suspended until it is in its job, so that nothing it starts escapes the job.
  if (!CreateProcessW(launch.file.empty() ? nullptr : launch.file.c_str(), commandLine.data(),
                      nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                      &process)) {
    return std::nullopt;
  }
  const KernelHandle thread(process.hThread);
  StartedProgram started{process.dwProcessId, KernelHandle(process.hProcess),
                         jobFor(process.hProcess),
                         toUtf8(launch.file.empty() ? launch.commandLine : launch.file)};
  ResumeThread(process.hThread);
  // We were just asked for it, so we may let it take the foreground.
  AllowSetForegroundWindow(process.dwProcessId);
  return started;
}

}  // namespace

StartedProgram startPaint() {
  const std::wstring classic = kClassicPaintPath;
  const std::wstring system = expanded(kSystemPaintPath);
  // Windows 10 and 11 have none at the classic path: the system's Paint, where it is.
  const Launch launch = isFile(classic)  ? launchOf(classic)
                        : isFile(system) ? launchOf(system)
                                         : Launch{L"", kSearchedPaint};
  if (auto started = start(launch)) return std::move(*started);
  if (launch.file.empty() && isNotFound(GetLastError())) {
    throw forms::RuntimeError::paintProgramNotFound(
        toUtf8(classic + L", " + system + L", " + kSearchedPaint));
  }
  throw forms::RuntimeError::programNotStarted(
      toUtf8(launch.file.empty() ? kSearchedPaint : launch.file));
}

}  // namespace win32
