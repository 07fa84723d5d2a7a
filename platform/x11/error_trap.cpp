#include "platform/x11/error_trap.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <set>
#include <tuple>
// Last: Xlib's internal header, where the functions that hook into a display's errors are,
// defines min and max as macros.
#include <X11/Xlib.h>
#include <X11/Xlibint.h>

namespace x11 {
namespace {

using WireToError = Bool (*)(Display*, XErrorEvent*, xError*);
constexpr int kErrorCodes = 256;

// Each kind of refusal is reported once in the program's life, whatever the connection.
void reportOnce(Display* display, const Refusal& refusal) {
  static std::set<std::tuple<int, int, int>> reported;
  if (!reported.emplace(refusal.errorCode, refusal.requestCode, refusal.minorCode).second) return;
  std::array<char, 160> text{};
  XGetErrorText(display, refusal.errorCode, text.data(), static_cast<int>(text.size()));
  std::fprintf(
      stderr,
      "%s: X サーバーが要求 %d.%d を断りました: %s。同じ種類の失敗はこれ以降表示しません。\n",
      program_invocation_short_name, refusal.requestCode, refusal.minorCode, text.data());
}

}  // namespace

// The errors of one display connection, on their way to the traps. One thread (the user
// interface's) talks to X through the connections that have traps.
struct DisplayErrors {
  Display* display = nullptr;
  bool ours = false;  // an error no trap watches is reported here, not handed on
  std::array<WireToError, kErrorCodes> handedOn{};
  std::vector<ErrorTrap*> traps;  // oldest first
  // Errors no trap watched, reported once Xlib has let go of the display: a report asks Xlib
  // for the error's text, which it must not be asked for from inside its own error handling.
  std::vector<Refusal> unwatched;

  static std::vector<std::unique_ptr<DisplayErrors>>& all() {
    static std::vector<std::unique_ptr<DisplayErrors>> displays;
    return displays;
  }

  static auto find(Display* display) {
    auto& displays = all();
    return std::find_if(displays.begin(), displays.end(),
                        [&](const auto& errors) { return errors->display == display; });
  }

  static DisplayErrors* of(Display* display) {
    const auto found = find(display);
    return found != all().end() ? found->get() : nullptr;
  }

  // Xlib turns each error that arrives into an event through a function of the display's for
  // its error code; ours comes first for every code, and forgets the display when it closes.
  static DisplayErrors& catchOn(Display* display, bool ours) {
    if (DisplayErrors* known = of(display)) {
      known->ours = known->ours || ours;
      return *known;
    }
    auto errors = std::make_unique<DisplayErrors>();
    errors->display = display;
    errors->ours = ours;
    for (int code = 0; code < kErrorCodes; ++code) {
      errors->handedOn[static_cast<std::size_t>(code)] =
          XESetWireToError(display, code, &DisplayErrors::arrived);
    }
    XESetCloseDisplay(display, XAddExtension(display)->extension, &DisplayErrors::closing);
    all().push_back(std::move(errors));
    return *all().back();
  }

  static Bool arrived(Display* display, XErrorEvent* event, xError* wire) {
    DisplayErrors* errors = of(display);
    // A display in the last steps of closing: nobody is left to tell.
    if (errors == nullptr) return False;
    const WireToError handOn = errors->handedOn[event->error_code];
    if (handOn != nullptr && handOn(display, event, wire) == False) return False;
    const Refusal refusal{event->serial, event->error_code, event->request_code, event->minor_code,
                          event->resourceid};
    for (auto trap = errors->traps.rbegin(); trap != errors->traps.rend(); ++trap) {
      if (!(*trap)->watches(refusal.serial)) continue;
      (*trap)->refusals_.push_back(refusal);
      return False;
    }
    if (!errors->ours) return True;  // on to the process's handler
    errors->unwatched.push_back(refusal);
    return False;
  }

  void reportUnwatched() {
    for (const Refusal& refusal : std::exchange(unwatched, {})) reportOnce(display, refusal);
  }

  static int closing(Display* display, XExtCodes* /*codes*/) {
    const auto found = find(display);
    if (found == all().end()) return 0;
    (*found)->reportUnwatched();
    all().erase(found);
    return 0;
  }
};

void catchErrorsOf(Display* display) { DisplayErrors::catchOn(display, true).reportUnwatched(); }

ErrorTrap::ErrorTrap(Display* display) : display_(display) {
  DisplayErrors& errors = DisplayErrors::catchOn(display, false);
  errors.reportUnwatched();
  errors.traps.push_back(this);
  watch();
}

ErrorTrap::~ErrorTrap() {
  if (!settled()) XSync(display_, False);
  DisplayErrors* errors = DisplayErrors::of(display_);
  if (errors == nullptr) return;
  std::erase(errors->traps, this);
  errors->reportUnwatched();
}

void ErrorTrap::pause() {
  if (!spans_.empty() && spans_.back().second == 0) spans_.back().second = NextRequest(display_);
}

void ErrorTrap::watch() {
  if (!spans_.empty() && spans_.back().second == 0) return;
  // Nothing sent since the last pause: the span goes on.
  if (!spans_.empty() && spans_.back().second == NextRequest(display_)) {
    spans_.back().second = 0;
    return;
  }
  spans_.emplace_back(NextRequest(display_), 0);
}

bool ErrorTrap::settled() const { return lastWatched() <= LastKnownRequestProcessed(display_); }

bool ErrorTrap::failed() {
  if (!settled()) XSync(display_, False);
  if (DisplayErrors* errors = DisplayErrors::of(display_)) errors->reportUnwatched();
  return !refusals_.empty();
}

void ErrorTrap::report() const {
  for (const Refusal& refusal : refusals_) reportOnce(display_, refusal);
}

void ErrorTrap::clear() {
  const bool watching = !spans_.empty() && spans_.back().second == 0;
  spans_.clear();
  refusals_.clear();
  if (watching) watch();
}

bool ErrorTrap::watches(unsigned long serial) const {
  return std::any_of(spans_.begin(), spans_.end(), [&](const auto& span) {
    return serial >= span.first && (span.second == 0 || serial < span.second);
  });
}

unsigned long ErrorTrap::lastWatched() const {
  for (auto span = spans_.rbegin(); span != spans_.rend(); ++span) {
    const unsigned long end = span->second == 0 ? NextRequest(display_) : span->second;
    if (end > span->first) return end - 1;
  }
  return 0;
}

}  // namespace x11
