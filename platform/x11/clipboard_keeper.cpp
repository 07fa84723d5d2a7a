#include "platform/x11/clipboard_keeper.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "platform/x11/selection_owner.h"
#include "platform/x11/xcb_calls.h"

namespace x11 {
namespace {

using Clock = SelectionOwner::Clock;

// The content arrives on standard input; the program waits on standard output to hear that
// we own the clipboard.
constexpr int kContentFd = STDIN_FILENO;
constexpr int kProgramFd = STDOUT_FILENO;

// A daemon's manners: no directory held, no descriptor of the program's kept open (a pipe
// held open would keep whoever reads it waiting).
void detachFromProgram() {
  [[maybe_unused]] const int rootDirectory = chdir("/");
  std::signal(SIGPIPE, SIG_IGN);
  close_range(STDERR_FILENO + 1, ~0U, 0);
}

void pointAtNull(int fd) {
  const int null = open("/dev/null", O_RDWR | O_CLOEXEC);
  if (null < 0) return;
  dup2(null, fd);
  close(null);
}

// The content, mapped: the memory the program filled, shared, with no copy.
std::optional<std::string_view> mapContent() {
  struct stat status {};
  if (fstat(kContentFd, &status) != 0 || status.st_size <= 0) return std::nullopt;
  const auto size = static_cast<std::size_t>(status.st_size);
  void* const content = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, kContentFd, 0);
  if (content == MAP_FAILED) return std::nullopt;
  return std::string_view(static_cast<const char*>(content), size);
}

void tellProgramWeOwnIt() {
  const char ready = 1;
  [[maybe_unused]] const ssize_t written = write(kProgramFd, &ready, 1);
  pointAtNull(kProgramFd);
}

class XcbConnection {
 public:
  XcbConnection() : connection_(xcb_connect(nullptr, &screenNumber_)) {}
  ~XcbConnection() { xcb_disconnect(connection_); }
  XcbConnection(const XcbConnection&) = delete;
  XcbConnection& operator=(const XcbConnection&) = delete;

  xcb_connection_t* get() const { return connection_; }
  bool broken() const { return lost_ || xcb_connection_has_error(connection_) != 0; }
  xcb_window_t root() const {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber_ && screens.rem > 1; ++i) xcb_screen_next(&screens);
    return screens.data->root;
  }

  // The next event; null when the server is gone or `deadline` passed first.
  XcbEvent next(std::optional<Clock::time_point> deadline) {
    while (true) {
      if (XcbEvent event{xcb_poll_for_event(connection_)}) return event;
      if (broken()) return nullptr;
      xcb_flush(connection_);
      int timeout = -1;
      if (deadline) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
        if (left.count() <= 0) return nullptr;
        timeout = static_cast<int>(left.count());
      }
      pollfd readable{xcb_get_file_descriptor(connection_), POLLIN, 0};
      const int polled = poll(&readable, 1, timeout);
      if (polled == 0) return nullptr;
      // Waiting itself failing would have us spin here: take the server for gone.
      lost_ = polled < 0 && errno != EINTR;
      if (lost_) return nullptr;
    }
  }

 private:
  int screenNumber_ = 0;
  xcb_connection_t* connection_;
  bool lost_ = false;
};

struct Atoms {
  xcb_atom_t clipboard;
  xcb_atom_t manager;
  xcb_atom_t saveTargets;
  xcb_atom_t pid;
};

Atoms internOurAtoms(xcb_connection_t* connection) {
  const std::vector<xcb_atom_t> atoms =
      internAtoms(connection, {"CLIPBOARD", "CLIPBOARD_MANAGER", "SAVE_TARGETS", "_NET_WM_PID"});
  return {atoms[0], atoms[1], atoms[2], atoms[3]};
}

// A window that is never shown, to own the clipboard with; it bears our pid, so that whoever
// looks at the clipboard's owner can tell which process it is.
xcb_window_t makeWindow(const XcbConnection& connection, const Atoms& atoms) {
  xcb_connection_t* const c = connection.get();
  const xcb_window_t window = xcb_generate_id(c);
  const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, connection.root(), 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
  const auto pid = static_cast<std::uint32_t>(getpid());
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atoms.pid, XCB_ATOM_CARDINAL, 32, 1, &pid);
  return window;
}

// The server's time now, which taking a selection needs (ICCCM forbids CurrentTime): the time
// stamp of a change to a property of our own.
std::optional<xcb_timestamp_t> serverTime(const XcbConnection& connection, xcb_window_t window,
                                          xcb_atom_t property) {
  xcb_change_property(connection.get(), XCB_PROP_MODE_APPEND, window, property, XCB_ATOM_CARDINAL,
                      32, 0, nullptr);
  xcb_flush(connection.get());
  while (const XcbEvent event{xcb_wait_for_event(connection.get())}) {
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) continue;
    const auto& change = reinterpret_cast<const xcb_property_notify_event_t&>(*event);
    if (change.window == window && change.atom == property) return change.time;
  }
  return std::nullopt;  // the server is gone
}

// Asks the clipboard manager, if one runs, to save the clipboard's every target (ICCCM's
// SAVE_TARGETS with an empty list); it fetches them from us, then answers.
void askManagerToSave(const XcbConnection& connection, xcb_window_t window, const Atoms& atoms,
                      xcb_timestamp_t time) {
  xcb_connection_t* const c = connection.get();
  const XcbReply<xcb_get_selection_owner_reply_t> manager(
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atoms.manager), nullptr));
  if (!manager || manager->owner == XCB_NONE) return;
  xcb_delete_property(c, window, atoms.saveTargets);
  xcb_convert_selection(c, window, atoms.manager, atoms.saveTargets, atoms.saveTargets, time);
}

bool managerSaved(const xcb_generic_event_t& event, xcb_window_t window, const Atoms& atoms) {
  if ((event.response_type & 0x7F) != XCB_SELECTION_NOTIFY) return false;
  const auto& answer = reinterpret_cast<const xcb_selection_notify_event_t&>(event);
  return answer.requestor == window && answer.selection == atoms.manager &&
         answer.property != XCB_NONE;
}

}  // namespace

int runClipboardKeeper() {
  detachFromProgram();
  const std::optional<std::string_view> content = mapContent();
  pointAtNull(kContentFd);
  const auto offers = content ? unpackOffers(*content) : std::nullopt;
  if (!offers || offers->empty()) return EXIT_FAILURE;

  XcbConnection connection;
  if (connection.broken()) return EXIT_FAILURE;
  const Atoms atoms = internOurAtoms(connection.get());
  const xcb_window_t window = makeWindow(connection, atoms);
  const std::optional<xcb_timestamp_t> time = serverTime(connection, window, atoms.pid);
  SelectionOwner owner(connection.get(), window, *offers);
  if (!time || !owner.take(atoms.clipboard, *time)) return EXIT_FAILURE;
  tellProgramWeOwnIt();
  askManagerToSave(connection, window, atoms, *time);

  // Once the manager has the content, it serves it when we are gone; a transfer under way is
  // finished first either way.
  bool saved = false;
  while (true) {
    // Dropping a stalled transfer may leave nothing to wait for.
    const std::optional<Clock::time_point> nextDrop = owner.dropStalled(Clock::now());
    if (connection.broken() || !((owner.owned() && !saved) || owner.transferring())) break;
    const XcbEvent event = connection.next(nextDrop);
    if (event && !owner.handle(*event)) saved = saved || managerSaved(*event, window, atoms);
  }
  return EXIT_SUCCESS;
}

}  // namespace x11
