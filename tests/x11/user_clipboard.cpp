#include "user_clipboard.h"

#include <X11/Xlib.h>

#include <chrono>

#include "program_process.h"
#include "user_wait.h"

namespace {

// The owner answers within milliseconds when its event loop is free; a busy one is asked again.
constexpr std::chrono::milliseconds kAnswerTimeout{2000};

Atom atom(const UserConnection& connection, const char* name) {
  return XInternAtom(connection.display(), name, False);
}

// A window that is never shown, to own a selection with.
Window ownerWindow(const UserConnection& connection, const char* selection) {
  const Window window =
      XCreateSimpleWindow(connection.display(), connection.root(), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(connection.display(), atom(connection, selection), window, CurrentTime);
  connection.sync();
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

unsigned long clipboardOwner(const UserConnection& connection) {
  return XGetSelectionOwner(connection.display(), atom(connection, "CLIPBOARD"));
}

void emptyClipboard(const UserConnection& connection) {
  XSetSelectionOwner(connection.display(), atom(connection, "CLIPBOARD"), None, CurrentTime);
  connection.sync();
}

OtherProgramCopying::OtherProgramCopying() : window_(ownerWindow(connection_, "CLIPBOARD")) {}

OtherProgramCopying::~OtherProgramCopying() { XDestroyWindow(connection_.display(), window_); }

namespace {

// Waits for an event of `type` on `window` that `wanted` accepts, dropping the others.
template <typename Wanted>
bool awaitEvent(const UserConnection& connection, Window window, int type, Wanted wanted) {
  return waitUntil([&] {
    XEvent event;
    while (XCheckTypedWindowEvent(connection.display(), window, type, &event)) {
      if (wanted(event)) return true;
    }
    return false;
  });
}

bool startPasteInPieces(const UserConnection& connection, Window window, const char* target) {
  Display* display = connection.display();
  const Atom property = atom(connection, "ORVEX_STALLED_PASTE");
  XSelectInput(display, window, PropertyChangeMask);
  XConvertSelection(display, atom(connection, "CLIPBOARD"), atom(connection, target), property,
                    window, CurrentTime);
  connection.sync();
  if (!awaitEvent(connection, window, SelectionNotify,
                  [&](const XEvent& event) { return event.xselection.property == property; })) {
    return false;
  }
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(display, window, property, 0, 1, True, AnyPropertyType, &type, &format, &count,
                     &remaining, &data);
  XFree(data);
  connection.sync();
  // Deleting the size announcement asks for the first piece.
  return type == atom(connection, "INCR") &&
         awaitEvent(connection, window, PropertyNotify, [&](const XEvent& event) {
           return event.xproperty.atom == property && event.xproperty.state == PropertyNewValue;
         });
}

}  // namespace

StalledPaste::StalledPaste(const char* target)
    : window_(XCreateSimpleWindow(connection_.display(), connection_.root(), 0, 0, 1, 1, 0, 0, 0)),
      stalled_(startPasteInPieces(connection_, window_, target)) {}

StalledPaste::~StalledPaste() { XDestroyWindow(connection_.display(), window_); }

SlowClipboardManager::SlowClipboardManager()
    : window_(ownerWindow(connection_, "CLIPBOARD_MANAGER")) {}

SlowClipboardManager::~SlowClipboardManager() { XDestroyWindow(connection_.display(), window_); }

bool SlowClipboardManager::asked() {
  connection_.sync();
  XEvent event;
  while (XCheckTypedEvent(connection_.display(), SelectionRequest, &event)) {
    const XSelectionRequestEvent& request = event.xselectionrequest;
    if (request.target == atom(connection_, "SAVE_TARGETS")) {
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
  XSendEvent(connection_.display(), request_->requestor, False, NoEventMask, &reply);
  connection_.sync();
}
