#include "user_clipboard.h"

#include <X11/Xlib.h>

#include <chrono>

#include "program_process.h"
#include "wait_until.h"

namespace {

// The owner answers within milliseconds when its event loop is free; a busy one is asked again.
constexpr std::chrono::milliseconds kAnswerTimeout{2000};

// A window that is never shown, to own a selection with.
Window ownerWindow(const TestDisplay& display, const char* selection) {
  const Window window = XCreateSimpleWindow(display.get(), display.root(), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display.get(), display.atom(selection), window, CurrentTime);
  display.sync();
  return window;
}

}  // namespace

QImage clipboardPicture(const char* target) {
  const auto bytes =
      outputOf({"xclip", "-selection", "clipboard", "-t", target, "-o"}, kAnswerTimeout);
  if (!bytes || bytes->empty()) return {};
  return QImage::fromData(QByteArrayView(bytes->data(), static_cast<qsizetype>(bytes->size())))
      .convertToFormat(QImage::Format_RGB32);
}

unsigned long clipboardOwner(const TestDisplay& display) {
  return XGetSelectionOwner(display.get(), display.atom("CLIPBOARD"));
}

void emptyClipboard(const TestDisplay& display) {
  XSetSelectionOwner(display.get(), display.atom("CLIPBOARD"), None, CurrentTime);
  display.sync();
}

OtherProgramCopying::OtherProgramCopying() : window_(ownerWindow(display_, "CLIPBOARD")) {}

OtherProgramCopying::~OtherProgramCopying() { XDestroyWindow(display_.get(), window_); }

namespace {

// Waits for an event of `type` on `window` that `wanted` accepts, dropping the others.
template <typename Wanted>
bool awaitEvent(const TestDisplay& display, Window window, int type, Wanted wanted) {
  return waitUntil(
      [&] {
        XEvent event;
        while (XCheckTypedWindowEvent(display.get(), window, type, &event)) {
          if (wanted(event)) return true;
        }
        return false;
      },
      kPatience, [&] { display.awaitInput(); });
}

bool startPasteInPieces(const TestDisplay& display, Window window, const char* target) {
  Display* xlib = display.get();
  const Atom property = display.atom("ORVEX_STALLED_PASTE");
  XSelectInput(xlib, window, PropertyChangeMask);
  XConvertSelection(xlib, display.atom("CLIPBOARD"), display.atom(target), property, window,
                    CurrentTime);
  display.sync();
  if (!awaitEvent(display, window, SelectionNotify,
                  [&](const XEvent& event) { return event.xselection.property == property; })) {
    return false;
  }
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(xlib, window, property, 0, 1, True, AnyPropertyType, &type, &format, &count,
                     &remaining, &data);
  XFree(data);
  display.sync();
  // Deleting the size announcement asks for the first piece.
  return type == display.atom("INCR") &&
         awaitEvent(display, window, PropertyNotify, [&](const XEvent& event) {
           return event.xproperty.atom == property && event.xproperty.state == PropertyNewValue;
         });
}

}  // namespace

StalledPaste::StalledPaste(const char* target)
    : window_(XCreateSimpleWindow(display_.get(), display_.root(), 0, 0, 1, 1, 0, 0, 0)),
      stalled_(startPasteInPieces(display_, window_, target)) {}

StalledPaste::~StalledPaste() { XDestroyWindow(display_.get(), window_); }

SlowClipboardManager::SlowClipboardManager()
    : window_(ownerWindow(display_, "CLIPBOARD_MANAGER")) {}

SlowClipboardManager::~SlowClipboardManager() { XDestroyWindow(display_.get(), window_); }

bool SlowClipboardManager::asked() {
  display_.sync();
  XEvent event;
  while (XCheckTypedEvent(display_.get(), SelectionRequest, &event)) {
    const XSelectionRequestEvent& request = event.xselectionrequest;
    if (request.target == display_.atom("SAVE_TARGETS")) {
      request_ = {request.requestor, request.selection, request.target, request.property,
                  request.time};
    }
  }
  return request_.has_value();
}

void SlowClipboardManager::answer() const {
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.requestor = request_->requestor;
  reply.xselection.selection = request_->selection;
  reply.xselection.target = request_->target;
  reply.xselection.property = request_->property;
  reply.xselection.time = request_->time;
  XSendEvent(display_.get(), request_->requestor, False, NoEventMask, &reply);
  display_.sync();
}
