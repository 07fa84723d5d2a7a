#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/x11/xcb_connection.h"

namespace x11 {

// What a selection holds: the bytes of each of its owner's targets, by the target's place in
// the owner's list. They may be made only when a program first asks for them.
class SelectionContent {
 public:
  virtual ~SelectionContent() = default;
  // The bytes of target `index`; nothing when they cannot be made.
  virtual std::optional<std::string_view> bytes(std::size_t index) = 0;
};

// Owns a selection from a window of its own and gives its content to every program that asks,
// as ICCCM says: TARGETS, TIMESTAMP, MULTIPLE and each target, one too large for a single
// request in increments (INCR). A transfer under way keeps the content it started with, whatever
// is taken or cleared meanwhile. Errors the server reports, say for a requestor window that went
// away, arrive as events and change nothing here.
class SelectionOwner {
 public:
  using Clock = XcbConnection::Clock;

  SelectionOwner(XcbConnection& connection, std::string_view selection,
                 const std::vector<std::string>& targets);
  ~SelectionOwner();
  SelectionOwner(const SelectionOwner&) = delete;
  SelectionOwner& operator=(const SelectionOwner&) = delete;

  xcb_window_t window() const { return window_; }
  // Takes the selection with `content` at the server's time now; false if the server did not
  // give it.
  bool take(std::shared_ptr<SelectionContent> content);
  // Leaves the selection without an owner, whoever owned it; false if the server is gone.
  bool clear();
  // The server's time when we last took the selection.
  xcb_timestamp_t since() const { return since_; }
  // Until the server tells us that another program took the selection.
  bool owned() const { return owned_; }
  // Whether the server names our window the selection's owner now: asked, not remembered.
  bool serverNamesUsOwner() const;
  // While a program is still fetching a target in increments.
  bool transferring() const { return !transfers_.empty(); }

  // Handles `event` if it concerns the selection or a transfer; false if not.
  bool handle(const xcb_generic_event_t& event);
  // Drops the transfers that their requestor left unfinished too long (it may have gone);
  // returns when the next of the others would be dropped, if any remain.
  std::optional<Clock::time_point> dropStalled(Clock::time_point now);
  // Handles the events that came in already, without waiting; returns when the next stalled
  // transfer would be dropped, as dropStalled does.
  std::optional<Clock::time_point> serveReceived();
  // Answers every request that reached us so far and finishes the transfers under way, as
  // long as their requestors keep taking pieces.
  void finishServing();
  // Serves the selection while `more` holds and the server is there, waiting for events; those
  // that are not the selection's go to `other`.
  void serveWhile(const std::function<bool()>& more,
                  const std::function<void(const xcb_generic_event_t&)>& other = {});

 private:
  struct Transfer {
    xcb_window_t requestor;
    xcb_atom_t property;
    xcb_atom_t type;
    std::shared_ptr<SelectionContent> content;  // what `rest` views
    std::string_view rest;
    Clock::time_point lastMove;
  };

  std::optional<xcb_timestamp_t> serverTime();
  // The selection's owner as the server names it now; nothing when the server is gone.
  std::optional<xcb_window_t> currentOwner() const;
  void answer(const xcb_selection_request_event_t& request);
  bool convert(xcb_window_t requestor, xcb_atom_t target, xcb_atom_t property, bool multipleToo);
  bool convertEach(xcb_window_t requestor, xcb_atom_t property);
  void send(xcb_window_t requestor, xcb_atom_t property, xcb_atom_t type, std::string_view bytes);
  void continueTransfer(xcb_window_t requestor, xcb_atom_t property);
  void watchProperties(xcb_window_t requestor, bool watch);
  void stopWatchingIfDone(xcb_window_t requestor);

  XcbConnection& connection_;
  xcb_connection_t* xcb_;
  xcb_window_t window_;
  std::vector<xcb_atom_t> targets_;
  xcb_atom_t selection_;
  xcb_atom_t targetsTarget_;
  xcb_atom_t timestampTarget_;
  xcb_atom_t multipleTarget_;
  xcb_atom_t incr_;
  xcb_atom_t pid_;
  std::uint32_t chunkSize_;
  std::shared_ptr<SelectionContent> content_;
  xcb_timestamp_t since_ = XCB_CURRENT_TIME;
  bool owned_ = false;
  std::vector<Transfer> transfers_;
};

}  // namespace x11
