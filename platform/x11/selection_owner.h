#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/x11/clipboard_offers.h"

namespace x11 {

// Owns a selection from a window of ours and gives its content to every program that asks, as
// ICCCM says: TARGETS, TIMESTAMP, MULTIPLE and each offer, one too large for a single request
// in increments (INCR). Errors the server reports, say for a requestor window that went away,
// arrive as events and change nothing here.
class SelectionOwner {
 public:
  using Clock = std::chrono::steady_clock;

  // The offers' bytes must outlive the owner.
  SelectionOwner(xcb_connection_t* connection, xcb_window_t window,
                 const std::vector<ClipboardOffer>& offers);

  // Takes `selection` at server time `time`; false if the server did not give it.
  bool take(xcb_atom_t selection, xcb_timestamp_t time);
  // Until another program takes the selection.
  bool owned() const { return owned_; }
  // While a program is still fetching an offer in increments.
  bool transferring() const { return !transfers_.empty(); }

  // Handles `event` if it concerns the selection or a transfer; false if not.
  bool handle(const xcb_generic_event_t& event);
  // Drops the transfers that their requestor left unfinished too long (it may have gone);
  // returns when the next of the others would be dropped, if any remain.
  std::optional<Clock::time_point> dropStalled(Clock::time_point now);

 private:
  struct Offer {
    xcb_atom_t target;
    std::string_view bytes;
  };
  struct Transfer {
    xcb_window_t requestor;
    xcb_atom_t property;
    xcb_atom_t type;
    std::string_view rest;
    Clock::time_point lastMove;
  };

  void answer(const xcb_selection_request_event_t& request);
  bool convert(xcb_window_t requestor, xcb_atom_t target, xcb_atom_t property, bool multipleToo);
  bool convertEach(xcb_window_t requestor, xcb_atom_t property);
  void send(xcb_window_t requestor, xcb_atom_t property, xcb_atom_t type, std::string_view bytes);
  void continueTransfer(xcb_window_t requestor, xcb_atom_t property);
  void watchProperties(xcb_window_t requestor, bool watch);
  void stopWatchingIfDone(xcb_window_t requestor);

  xcb_connection_t* connection_;
  xcb_window_t window_;
  std::vector<Offer> offers_;
  xcb_atom_t targets_;
  xcb_atom_t timestamp_;
  xcb_atom_t multiple_;
  xcb_atom_t incr_;
  std::uint32_t chunkSize_;
  xcb_atom_t selection_ = XCB_NONE;
  xcb_timestamp_t since_ = XCB_CURRENT_TIME;
  bool owned_ = false;
  std::vector<Transfer> transfers_;
};

}  // namespace x11
