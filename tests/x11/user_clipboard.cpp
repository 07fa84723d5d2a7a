#include "user_clipboard.h"

#include <X11/Xlib.h>

#include <chrono>

#include "program_process.h"
#include "wait_until.h"

namespace {

// The owner answers within milliseconds when its event loop is free; a busy one is asked again.
constexpr std::chrono::milliseconds kAnswerTimeout{2000};
// In 32-bit units: more than any piece of a transfer holds.
constexpr long kLongestProperty = 1L << 26;

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

bool awaitNewValue(const TestDisplay& display, Window window, Atom property) {
  return awaitEvent(display, window, PropertyNotify, [&](const XEvent& event) {
    return event.xproperty.atom == property && event.xproperty.state == PropertyNewValue;
  });
}

// Reads the property and deletes it, which asks the owner for the next piece: its type and its
// bytes (of format 8; only the type counts otherwise).
std::pair<Atom, std::string> takeProperty(const TestDisplay& display, Window window,
                                          Atom property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(display.get(), window, property, 0, kLongestProperty, True, AnyPropertyType,
                     &type, &format, &count, &remaining, &data);
  std::string bytes;
  if (format == 8 && data != nullptr) bytes.assign(reinterpret_cast<const char*>(data), count);
  XFree(data);
  display.sync();
  return {type, bytes};
}

bool startPasteInPieces(const TestDisplay& display, Window window, Atom property,
                        const char* target) {
  XSelectInput(display.get(), window, PropertyChangeMask);
  XConvertSelection(display.get(), display.atom("CLIPBOARD"), display.atom(target), property,
                    window, CurrentTime);
  display.sync();
  if (!awaitEvent(display, window, SelectionNotify,
                  [&](const XEvent& event) { return event.xselection.property == property; })) {
    return false;
  }
  // The owner wrote the size announcement before it told us: that change is no piece.
  XEvent announced;
  while (XCheckTypedWindowEvent(display.get(), window, PropertyNotify, &announced)) {
  }
  // Deleting the size announcement asks for the first piece.
  return takeProperty(display, window, property).first == display.atom("INCR") &&
         awaitNewValue(display, window, property);
}

}  // namespace

PasteInPieces::PasteInPieces(const char* target)
    : window_(XCreateSimpleWindow(display_.get(), display_.root(), 0, 0, 1, 1, 0, 0, 0)),
      property_(display_.atom("ORVEX_PASTE_IN_PIECES")),
      started_(startPasteInPieces(display_, window_, property_, target)) {}

PasteInPieces::~PasteInPieces() { XDestroyWindow(display_.get(), window_); }

QImage PasteInPieces::finish() {
  std::string bytes;
  // An empty piece ends the transfer.
  for (std::string piece; !(piece = takeProperty(display_, window_, property_).second).empty();) {
    bytes += piece;
    if (!awaitNewValue(display_, window_, property_)) return {};
  }
  return QImage::fromData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())))
      .convertToFormat(QImage::Format_RGB32);
}

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
