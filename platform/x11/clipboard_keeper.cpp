#include "platform/x11/clipboard_keeper.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/prctl.h>
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

// The content arrives on standard input; the program waits on standard output to hear that
// we own the clipboard.
constexpr int kContentFd = STDIN_FILENO;
constexpr int kProgramFd = STDOUT_FILENO;

// Started through /proc/self/exe, we would be "exe" to ps, top, pgrep and pidof: take the name
// the program was started by, so that a user who looks for it finds us too.
void nameAfterTheProgram() { prctl(PR_SET_NAME, program_invocation_short_name); }

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

struct ManagerAtoms {
  xcb_atom_t manager;
  xcb_atom_t saveTargets;
};

ManagerAtoms internManagerAtoms(xcb_connection_t* connection) {
  const std::vector<xcb_atom_t> atoms =
      internAtoms(connection, {"CLIPBOARD_MANAGER", "SAVE_TARGETS"});
  return {atoms[0], atoms[1]};
}

// The content as the program handed it over, made already.
class OfferedBytes final : public SelectionContent {
 public:
  explicit OfferedBytes(const std::vector<ClipboardOffer>& offers) : offers_(offers) {}
  std::optional<std::string_view> bytes(std::size_t index) override {
    return offers_.at(index).bytes;
  }

 private:
  const std::vector<ClipboardOffer>& offers_;
};

std::vector<std::string> targetsOf(const std::vector<ClipboardOffer>& offers) {
  std::vector<std::string> targets;
  targets.reserve(offers.size());
  for (const ClipboardOffer& offer : offers) targets.push_back(offer.target);
  return targets;
}

// Asks the clipboard manager, if one runs, to save the clipboard's every target (ICCCM's
// SAVE_TARGETS with an empty list); it fetches them from us, then answers.
void askManagerToSave(const XcbConnection& connection, xcb_window_t window,
                      const ManagerAtoms& atoms, xcb_timestamp_t time) {
  xcb_connection_t* const c = connection.get();
  const XcbReply<xcb_get_selection_owner_reply_t> manager(
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atoms.manager), nullptr));
  if (!manager || manager->owner == XCB_NONE) return;
  xcb_delete_property(c, window, atoms.saveTargets);
  xcb_convert_selection(c, window, atoms.manager, atoms.saveTargets, atoms.saveTargets, time);
}

bool managerSaved(const xcb_generic_event_t& event, xcb_window_t window,
                  const ManagerAtoms& atoms) {
  if ((event.response_type & 0x7F) != XCB_SELECTION_NOTIFY) return false;
  const auto& answer = reinterpret_cast<const xcb_selection_notify_event_t&>(event);
  return answer.requestor == window && answer.selection == atoms.manager &&
         answer.property != XCB_NONE;
}

}  // namespace

int runClipboardKeeper() {
  nameAfterTheProgram();
  detachFromProgram();
  const std::optional<std::string_view> content = mapContent();
  pointAtNull(kContentFd);
  const auto offers = content ? unpackOffers(*content) : std::nullopt;
  if (!offers || offers->empty()) return EXIT_FAILURE;

  XcbConnection connection;
  if (connection.broken()) return EXIT_FAILURE;
  SelectionOwner owner(connection, "CLIPBOARD", targetsOf(*offers));
  if (!owner.take(std::make_shared<OfferedBytes>(*offers))) return EXIT_FAILURE;
  tellProgramWeOwnIt();
  const ManagerAtoms atoms = internManagerAtoms(connection.get());
  askManagerToSave(connection, owner.window(), atoms, owner.since());

  // Once the manager has the content, it serves it when we are gone; a transfer under way is
  // finished first either way.
  bool saved = false;
  owner.serveWhile([&] { return (owner.owned() && !saved) || owner.transferring(); },
                   [&](const xcb_generic_event_t& event) {
                     saved = saved || managerSaved(event, owner.window(), atoms);
                   });
  return EXIT_SUCCESS;
}

}  // namespace x11
