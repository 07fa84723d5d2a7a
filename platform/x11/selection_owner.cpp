#include "platform/x11/selection_owner.h"

#include <unistd.h>

#include <algorithm>
#include <limits>

namespace x11 {
namespace {

// How long a requestor may leave an incremental transfer without taking the next piece before
// we give up on it. ICCCM leaves the bound to us; Qt waits as long for its pieces.
constexpr std::chrono::seconds kStallLimit{5};
// ChangeProperty's own part of a request, in bytes.
constexpr std::uint32_t kChangePropertyHeader = 24;

void changeProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                    xcb_atom_t type, std::uint8_t format, std::uint32_t units, const void* data) {
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, type, format, units,
                      data);
}

void notify(xcb_connection_t* connection, const xcb_selection_request_event_t& request,
            xcb_atom_t property) {
  // Events go out as 32 bytes, more than this one's structure holds.
  union {
    xcb_selection_notify_event_t event;
    char bytes[32];
  } message{};
  message.event.response_type = XCB_SELECTION_NOTIFY;
  message.event.time = request.time;
  message.event.requestor = request.requestor;
  message.event.selection = request.selection;
  message.event.target = request.target;
  message.event.property = property;
  xcb_send_event(connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, message.bytes);
}

// A window that is never shown, to own the selection with. It bears our pid, so that whoever
// looks at the selection's owner can tell which process it is, and tells us of changes to its
// properties, which is how we learn the server's time.
xcb_window_t makeWindow(const XcbConnection& connection, xcb_atom_t pidProperty) {
  xcb_connection_t* const c = connection.get();
  const xcb_window_t window = xcb_generate_id(c);
  const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, connection.root(), 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
  const auto pid = static_cast<std::uint32_t>(getpid());
  changeProperty(c, window, pidProperty, XCB_ATOM_CARDINAL, 32, 1, &pid);
  return window;
}

}  // namespace

SelectionOwner::SelectionOwner(XcbConnection& connection, std::string_view selection,
                               const std::vector<std::string>& targets)
    : connection_(connection), xcb_(connection.get()) {
  std::vector<std::string_view> names{selection,  "TARGETS", "TIMESTAMP",
                                      "MULTIPLE", "INCR",    "_NET_WM_PID"};
  names.insert(names.end(), targets.begin(), targets.end());
  const std::vector<xcb_atom_t> atoms = internAtoms(xcb_, names);
  selection_ = atoms[0];
  targetsTarget_ = atoms[1];
  timestampTarget_ = atoms[2];
  multipleTarget_ = atoms[3];
  incr_ = atoms[4];
  pid_ = atoms[5];
  targets_.assign(atoms.begin() + 6, atoms.end());
  window_ = makeWindow(connection, pid_);
  // What the server takes in one request without the BIG-REQUESTS extension: every requestor
  // can read that much in one go.
  chunkSize_ = xcb_get_setup(xcb_)->maximum_request_length * 4U - kChangePropertyHeader;
}

SelectionOwner::~SelectionOwner() {
  xcb_destroy_window(xcb_, window_);
  xcb_flush(xcb_);
}

// The server's time now, which taking a selection needs (ICCCM forbids CurrentTime): the time
// stamp of a change to a property of our own. Nothing when the server is gone.
std::optional<xcb_timestamp_t> SelectionOwner::serverTime() {
  xcb_change_property(xcb_, XCB_PROP_MODE_APPEND, window_, pid_, XCB_ATOM_CARDINAL, 32, 0, nullptr);
  const XcbEvent change = connection_.await([&](const xcb_generic_event_t& event) {
    if ((event.response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
    const auto& notice = reinterpret_cast<const xcb_property_notify_event_t&>(event);
    return notice.window == window_ && notice.atom == pid_;
  });
  if (!change) return std::nullopt;
  return reinterpret_cast<const xcb_property_notify_event_t&>(*change).time;
}

bool SelectionOwner::take(std::shared_ptr<SelectionContent> content) {
  const std::optional<xcb_timestamp_t> time = serverTime();
  if (!time) return false;
  content_ = std::move(content);
  since_ = *time;
  xcb_set_selection_owner(xcb_, window_, selection_, since_);
  owned_ = serverNamesUsOwner();
  return owned_;
}

bool SelectionOwner::clear() {
  content_.reset();
  const std::optional<xcb_window_t> owner = currentOwner();
  if (!owner) return false;
  // Already empty: telling the world it was emptied again would only stir up its watchers
  // (a Wayland compositor's X11 bridge, clipboard managers).
  if (*owner == XCB_NONE) return true;
  const std::optional<xcb_timestamp_t> time = serverTime();
  if (!time) return false;
  xcb_set_selection_owner(xcb_, XCB_NONE, selection_, *time);
  xcb_flush(xcb_);
  return true;
}

bool SelectionOwner::serverNamesUsOwner() const { return currentOwner() == window_; }

std::optional<xcb_window_t> SelectionOwner::currentOwner() const {
  const XcbReply<xcb_get_selection_owner_reply_t> reply(
      xcb_get_selection_owner_reply(xcb_, xcb_get_selection_owner(xcb_, selection_), nullptr));
  if (!reply) return std::nullopt;
  return reply->owner;
}

bool SelectionOwner::handle(const xcb_generic_event_t& event) {
  switch (event.response_type & 0x7F) {
    case XCB_SELECTION_REQUEST: {
      const auto& request = reinterpret_cast<const xcb_selection_request_event_t&>(event);
      if (request.owner != window_) return false;
      answer(request);
      return true;
    }
    case XCB_SELECTION_CLEAR: {
      const auto& clear = reinterpret_cast<const xcb_selection_clear_event_t&>(event);
      if (clear.owner != window_ || clear.selection != selection_) return false;
      owned_ = false;
      return true;
    }
    case XCB_PROPERTY_NOTIFY: {
      const auto& change = reinterpret_cast<const xcb_property_notify_event_t&>(event);
      if (change.state != XCB_PROPERTY_DELETE) return false;
      continueTransfer(change.window, change.atom);
      return true;
    }
    default:
      return false;
  }
}

std::optional<SelectionOwner::Clock::time_point> SelectionOwner::serveReceived() {
  while (const XcbEvent event = connection_.nextReceived()) handle(*event);
  const std::optional<Clock::time_point> nextDrop = dropStalled(Clock::now());
  xcb_flush(xcb_);
  return nextDrop;
}

void SelectionOwner::finishServing() {
  // Once the server has answered this, every request it sent us before has come in too.
  const XcbReply<xcb_get_input_focus_reply_t> roundTrip(
      xcb_get_input_focus_reply(xcb_, xcb_get_input_focus(xcb_), nullptr));
  serveReceived();
  serveWhile([this] { return transferring(); });
}

void SelectionOwner::serveWhile(const std::function<bool()>& more,
                                const std::function<void(const xcb_generic_event_t&)>& other) {
  while (true) {
    // Dropping a stalled transfer may leave nothing to wait for.
    const std::optional<Clock::time_point> nextDrop = dropStalled(Clock::now());
    if (connection_.broken() || !more()) {
      // The answers to what was handled last, such as the empty piece that ends a transfer,
      // go out now: nothing else may send them before the connection closes.
      xcb_flush(xcb_);
      return;
    }
    const XcbEvent event = connection_.next(nextDrop);
    if (event && !handle(*event) && other) other(*event);
  }
}

void SelectionOwner::answer(const xcb_selection_request_event_t& request) {
  // Obsolete requestors name no property: the target names it then.
  const xcb_atom_t property = request.property != XCB_NONE ? request.property : request.target;
  // A request made before we took the selection is for an earlier owner's content.
  const bool current = request.time == XCB_CURRENT_TIME || request.time >= since_;
  const bool converted = request.selection == selection_ && current && content_ &&
                         convert(request.requestor, request.target, property, true);
  notify(xcb_, request, converted ? property : XCB_NONE);
}

bool SelectionOwner::convert(xcb_window_t requestor, xcb_atom_t target, xcb_atom_t property,
                             bool multipleToo) {
  if (target == targetsTarget_) {
    std::vector<xcb_atom_t> targets{targetsTarget_, timestampTarget_, multipleTarget_};
    targets.insert(targets.end(), targets_.begin(), targets_.end());
    changeProperty(xcb_, requestor, property, XCB_ATOM_ATOM, 32,
                   static_cast<std::uint32_t>(targets.size()), targets.data());
    return true;
  }
  if (target == timestampTarget_) {
    changeProperty(xcb_, requestor, property, XCB_ATOM_INTEGER, 32, 1, &since_);
    return true;
  }
  if (target == multipleTarget_) return multipleToo && convertEach(requestor, property);
  const auto offered = std::find(targets_.begin(), targets_.end(), target);
  if (offered == targets_.end()) return false;
  const std::optional<std::string_view> bytes =
      content_->bytes(static_cast<std::size_t>(offered - targets_.begin()));
  if (!bytes) return false;
  send(requestor, property, target, *bytes);
  return true;
}

// MULTIPLE: the requestor's property lists (target, property) pairs; each is converted on its
// own, and a pair that cannot be gets its target replaced by None.
bool SelectionOwner::convertEach(xcb_window_t requestor, xcb_atom_t property) {
  const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      xcb_,
      xcb_get_property(xcb_, 0, requestor, property, XCB_GET_PROPERTY_TYPE_ANY, 0,
                       std::numeric_limits<std::uint32_t>::max() / 4),
      nullptr));
  if (!reply || reply->format != 32) return false;
  const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
  std::vector<xcb_atom_t> pairs(values, values + xcb_get_property_value_length(reply.get()) / 4);
  for (std::size_t i = 0; i + 1 < pairs.size(); i += 2) {
    if (pairs[i + 1] == XCB_NONE || !convert(requestor, pairs[i], pairs[i + 1], false)) {
      pairs[i] = XCB_NONE;
    }
  }
  changeProperty(xcb_, requestor, property, reply->type, 32,
                 static_cast<std::uint32_t>(pairs.size()), pairs.data());
  return true;
}

void SelectionOwner::send(xcb_window_t requestor, xcb_atom_t property, xcb_atom_t type,
                          std::string_view bytes) {
  if (bytes.size() <= chunkSize_) {
    changeProperty(xcb_, requestor, property, type, 8, static_cast<std::uint32_t>(bytes.size()),
                   bytes.data());
    return;
  }
  // Too large for one request: INCR announces the size, and each time the requestor deletes
  // the property, it gets the next piece, then an empty one at the end.
  const auto size = static_cast<std::uint32_t>(
      std::min<std::size_t>(bytes.size(), std::numeric_limits<std::uint32_t>::max()));
  changeProperty(xcb_, requestor, property, incr_, 32, 1, &size);
  std::erase_if(transfers_, [&](const Transfer& transfer) {
    return transfer.requestor == requestor && transfer.property == property;
  });
  transfers_.push_back({requestor, property, type, content_, bytes, Clock::now()});
  watchProperties(requestor, true);
}

void SelectionOwner::continueTransfer(xcb_window_t requestor, xcb_atom_t property) {
  const auto transfer = std::find_if(transfers_.begin(), transfers_.end(), [&](const Transfer& t) {
    return t.requestor == requestor && t.property == property;
  });
  if (transfer == transfers_.end()) return;
  const std::string_view piece = transfer->rest.substr(0, chunkSize_);
  changeProperty(xcb_, requestor, property, transfer->type, 8,
                 static_cast<std::uint32_t>(piece.size()), piece.data());
  transfer->rest.remove_prefix(piece.size());
  transfer->lastMove = Clock::now();
  if (!piece.empty()) return;
  transfers_.erase(transfer);
  stopWatchingIfDone(requestor);
}

std::optional<SelectionOwner::Clock::time_point> SelectionOwner::dropStalled(
    Clock::time_point now) {
  std::vector<xcb_window_t> dropped;
  std::erase_if(transfers_, [&](const Transfer& transfer) {
    if (transfer.lastMove + kStallLimit > now) return false;
    dropped.push_back(transfer.requestor);
    return true;
  });
  for (const xcb_window_t requestor : dropped) stopWatchingIfDone(requestor);
  std::optional<Clock::time_point> next;
  for (const Transfer& transfer : transfers_) {
    next = std::min(next.value_or(Clock::time_point::max()), transfer.lastMove + kStallLimit);
  }
  return next;
}

void SelectionOwner::stopWatchingIfDone(xcb_window_t requestor) {
  const bool fetching = std::any_of(transfers_.begin(), transfers_.end(),
                                    [&](const Transfer& t) { return t.requestor == requestor; });
  if (!fetching) watchProperties(requestor, false);
}

// We hear of the requestor deleting its property only while we watch its window.
void SelectionOwner::watchProperties(xcb_window_t requestor, bool watch) {
  const std::uint32_t mask = watch ? XCB_EVENT_MASK_PROPERTY_CHANGE : XCB_EVENT_MASK_NO_EVENT;
  xcb_change_window_attributes(xcb_, requestor, XCB_CW_EVENT_MASK, &mask);
}

}  // namespace x11
