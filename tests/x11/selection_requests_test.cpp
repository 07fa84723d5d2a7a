// Programs that ask for a selection wrongly, by fault or on purpose: MULTIPLE lists that do not
// pair up, name atoms that do not exist or come in a property that is no ATOM_PAIR (INCR with a
// size of zero, -1 or more than there is), odd targets, properties named None, requests forged
// as events with any fields, and transfers in pieces that stall, go out of order or whose
// requestor goes away half-way. The selection owner that serves the program's clipboard, here
// in this process, and the clipboard keeper refuse or answer each and go on: no crash, no hang,
// nothing leaked (which the sanitizer build sees), and a well-formed paste afterwards gets every
// offer whole. A fixed seed makes the barrage the same at every run.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/x11/clipboard_keeper.h"
#include "platform/x11/clipboard_offers.h"
#include "platform/x11/selection_owner.h"
#include "platform/x11/unique_fd.h"
#include "platform/x11/xcb_calls.h"
#include "platform/x11/xcb_connection.h"
#include "program_process.h"
#include "wait_until.h"
#include "xcb_client.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Meanwhile = std::function<void()>;

constexpr std::uint32_t kSeed = 20261208;
constexpr int kMisdeeds = 300;
// The barrage and the paste after it take seconds; an owner that hangs somewhere runs past this.
constexpr auto kDeadline = 90s;
// How long a misbehaving program waits for an answer before it goes on regardless.
constexpr auto kShortPatience = 1s;
// Atoms that no client has made (atoms have 29 bits).
constexpr xcb_atom_t kNoSuchAtom = 0x1FFF0000;
constexpr xcb_window_t kNoSuchWindow = 0x1FFFFFFF;

// What the owner offers: a few bytes, nothing at all, and more than one request carries
// (256 KiB without BIG-REQUESTS), which goes in pieces.
struct Content {
  explicit Content(std::mt19937& random) : large(std::size_t{700} * 1024, '\0') {
    for (char& byte : large) byte = static_cast<char>(random());
  }
  std::vector<x11::ClipboardOffer> offers() const {
    return {{"text/plain", small}, {"application/x-empty", ""}, {"image/png", large}};
  }

  std::string small = "a few bytes";
  std::string large;
};

// The content as the owner serves it, by its targets' places.
class Served final : public x11::SelectionContent {
 public:
  explicit Served(const Content& content) : offers_(content.offers()) {}
  std::optional<std::string_view> bytes(std::size_t index) override {
    return offers_.at(index).bytes;
  }

 private:
  std::vector<x11::ClipboardOffer> offers_;
};

// Ends the test program with a message when it is still running at the deadline: a hang in
// this process would otherwise only end at ctest's timeout, with nothing said.
class Watchdog {
 public:
  explicit Watchdog(Clock::duration bound)
      : thread_([this, deadline = Clock::now() + bound] {
          std::unique_lock lock(mutex_);
          if (!done_.wait_until(lock, deadline, [this] { return finished_; })) {
            std::fputs("The selection owner hangs: the test passed its deadline.\n", stderr);
            std::abort();
          }
        }) {}
  ~Watchdog() {
    {
      const std::lock_guard lock(mutex_);
      finished_ = true;
    }
    done_.notify_one();
    thread_.join();
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};

bool isSelectionNotifyFor(const xcb_generic_event_t& event, xcb_window_t requestor) {
  return (event.response_type & 0x7F) == XCB_SELECTION_NOTIFY &&
         reinterpret_cast<const xcb_selection_notify_event_t&>(event).requestor == requestor;
}

// A program on the display that asks the owner of a selection wrongly, one way at a time,
// chosen at random. `meanwhile` lets the owner take in what came (an owner in this process) or
// pauses (one in another).
class Mischief {
 public:
  Mischief(xcb_atom_t selection, Meanwhile meanwhile)
      : selection_(selection), meanwhile_(std::move(meanwhile)) {
    const x11::XcbReply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        client_.get(), xcb_get_selection_owner(client_.get(), selection), nullptr));
    owner_ = owner ? owner->owner : XCB_NONE;
  }

  void barrage(int count) {
    constexpr std::array kWays{&Mischief::askMultiple, &Mischief::askOddTarget,
                               &Mischief::askAndVanish, &Mischief::forgeRequest,
                               &Mischief::fetchInPiecesBadly};
    for (int i = 0; i < count; ++i) {
      (this->*kWays[pick(kWays.size())])();
      meanwhile_();
      client_.dropEvents();
    }
  }

 private:
  std::uint32_t pick(std::size_t count) {
    return std::uniform_int_distribution<std::uint32_t>(
        0, static_cast<std::uint32_t>(count - 1))(random_);
  }
  bool oneIn(std::size_t count) { return pick(count) == 0; }

  // Any atom a program might name: None, one that does not exist, one of no meaning to the
  // owner, or one it knows (the targets it offers and those of the protocol).
  xcb_atom_t anyAtom() {
    switch (pick(4)) {
      case 0:
        return XCB_NONE;
      case 1:
        return kNoSuchAtom + pick(1000);
      case 2:
        return client_.atom("ORVEX_FUZZ_" + std::to_string(pick(50)));
      default:
        return known_[pick(known_.size())];
    }
  }

  void ask(xcb_window_t requestor, xcb_atom_t target, xcb_atom_t property) {
    xcb_convert_selection(client_.get(), requestor, selection_, target, property,
                          oneIn(8) ? 1 : XCB_CURRENT_TIME);  // 1: before the owner took it
  }

  // MULTIPLE with a list that is anything but pairs of known atoms in an ATOM_PAIR property: an
  // odd count, atoms that do not exist, a great many, another type or format, INCR with a size,
  // or no list at all.
  void askMultiple() {
    const xcb_atom_t list = client_.atom("ORVEX_FUZZ_LIST");
    std::vector<std::uint32_t> values(oneIn(10) ? 20000 + pick(20000) : pick(12));
    for (std::uint32_t& value : values) value = anyAtom();
    constexpr std::array kIncrSizes{0U, 0xFFFFFFFFU, 0x80000000U, 0x7FFFFFFFU};
    xcb_atom_t type = atom("ATOM_PAIR");
    std::uint8_t format = 32;
    switch (pick(6)) {
      case 0:
        type = atom("INCR");
        values = {kIncrSizes[pick(kIncrSizes.size())]};
        break;
      case 1:
        type = XCB_ATOM_STRING;
        format = 8;
        break;
      case 2:
        type = XCB_ATOM_INTEGER;
        format = 16;
        break;
      case 3:
        type = XCB_ATOM_ATOM;
        break;
      default:
        break;
    }
    if (oneIn(6)) {
      xcb_delete_property(client_.get(), client_.window(), list);
    } else {
      const auto units = static_cast<std::uint32_t>(values.size() * 4 / (format / 8U));
      xcb_change_property(client_.get(), XCB_PROP_MODE_REPLACE, client_.window(), list, type,
                          format, units, values.data());
    }
    ask(client_.window(), atom("MULTIPLE"), oneIn(5) ? XCB_NONE : list);
  }

  // A target the owner may not have, or one that is no content (None, INCR, ATOM_PAIR, the
  // selection itself, MULTIPLE with no list), into a property of any name, None too.
  void askOddTarget() { ask(client_.window(), anyAtom(), anyAtom()); }

  // From a window that is gone by the time the owner answers.
  void askAndVanish() {
    const xcb_window_t requestor = client_.newWindow();
    ask(requestor, anyAtom(), anyAtom());
    xcb_destroy_window(client_.get(), requestor);
  }

  // A request sent as an event, as any client may send one, with fields of its choosing: a
  // requestor that is the root, the owner itself, None or no window; another selection; any
  // time.
  void forgeRequest() {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(client_.get())).data;
    const std::array requestors{client_.window(), screen->root, owner_,
                                static_cast<xcb_window_t>(XCB_NONE), kNoSuchWindow};
    union {
      xcb_selection_request_event_t request;
      char bytes[32];
    } event{};
    event.request.response_type = XCB_SELECTION_REQUEST;
    event.request.owner = owner_;
    event.request.requestor = requestors[pick(requestors.size())];
    event.request.selection = oneIn(4) ? anyAtom() : selection_;
    event.request.target = anyAtom();
    event.request.property = anyAtom();
    event.request.time = static_cast<xcb_timestamp_t>(random_());
    xcb_send_event(client_.get(), 0, owner_, XCB_EVENT_MASK_NO_EVENT, event.bytes);
  }

  // The large offer, fetched in pieces wrongly: the property deleted unread, again after the
  // end or written over by the requestor, pieces left waiting (a stall), the requestor gone
  // half-way.
  void fetchInPiecesBadly() {
    const xcb_window_t requestor = client_.newWindow(XCB_EVENT_MASK_PROPERTY_CHANGE);
    const xcb_atom_t pieces = client_.atom("ORVEX_FUZZ_PIECES");
    ask(requestor, atom("image/png"), pieces);
    client_.await([&](const auto& event) { return isSelectionNotifyFor(event, requestor); },
                  meanwhile_, kShortPatience);
    for (std::uint32_t steps = pick(8); steps > 0; --steps) {
      switch (pick(4)) {
        case 0:
          xcb_delete_property(client_.get(), requestor, pieces);
          break;
        case 1:
          xcb_change_property(client_.get(), XCB_PROP_MODE_REPLACE, requestor, pieces,
                              XCB_ATOM_STRING, 8, 3, "bad");
          break;
        case 2:
          xcb_delete_property(client_.get(), requestor, anyAtom());
          break;
        default:
          break;
      }
      meanwhile_();
    }
    if (oneIn(2)) xcb_destroy_window(client_.get(), requestor);
  }

  xcb_atom_t atom(std::string_view name) const { return client_.atom(name); }

  XcbClient client_;
  xcb_atom_t selection_;
  Meanwhile meanwhile_;
  xcb_window_t owner_ = XCB_NONE;
  std::mt19937 random_{kSeed};
  const std::vector<xcb_atom_t> known_{
      selection_,        atom("TARGETS"),   atom("TIMESTAMP"),  atom("MULTIPLE"),
      atom("INCR"),      atom("ATOM_PAIR"), atom("text/plain"), atom("application/x-empty"),
      atom("image/png"), atom("image/gif")};
};

// The content of `target` as a well-behaved program pastes it, in pieces where it comes so;
// nothing when the owner refuses or does not answer in time.
std::optional<std::string> paste(const XcbClient& client, xcb_atom_t selection, xcb_atom_t target,
                                 const Meanwhile& meanwhile) {
  const xcb_window_t window = client.newWindow(XCB_EVENT_MASK_PROPERTY_CHANGE);
  const xcb_atom_t property = client.atom("ORVEX_PASTE");
  xcb_convert_selection(client.get(), window, selection, target, property, XCB_CURRENT_TIME);
  const x11::XcbEvent answer = client.await(
      [&](const auto& event) { return isSelectionNotifyFor(event, window); }, meanwhile, kPatience);
  if (!answer ||
      reinterpret_cast<const xcb_selection_notify_event_t&>(*answer).property != property) {
    return std::nullopt;
  }
  auto [type, bytes] = client.property<char>(property, window, true);
  if (type != client.atom("INCR")) return std::string(bytes.begin(), bytes.end());
  std::string whole;
  while (true) {
    const auto newPiece = [&](const xcb_generic_event_t& event) {
      const auto& change = reinterpret_cast<const xcb_property_notify_event_t&>(event);
      return (event.response_type & 0x7F) == XCB_PROPERTY_NOTIFY && change.window == window &&
             change.atom == property && change.state == XCB_PROPERTY_NEW_VALUE;
    };
    if (!client.await(newPiece, meanwhile, kPatience)) return std::nullopt;
    bytes = client.property<char>(property, window, true).second;
    if (bytes.empty()) return whole;
    whole.append(bytes.begin(), bytes.end());
  }
}

void expectEveryOfferPastedWhole(const Content& content, xcb_atom_t selection,
                                 const Meanwhile& meanwhile) {
  const XcbClient pasting;
  for (const x11::ClipboardOffer& offer : content.offers()) {
    const std::optional<std::string> pasted =
        paste(pasting, selection, pasting.atom(offer.target), meanwhile);
    ASSERT_TRUE(pasted.has_value()) << offer.target << ": refused or not answered";
    EXPECT_TRUE(*pasted == offer.bytes)
        << offer.target << ": " << pasted->size() << " bytes pasted of " << offer.bytes.size();
  }
}

// The clipboard keeper, started as the program starts it, serving `offers` from memory; its
// error output is ours, where a sanitizer's report shows.
class Keeper {
 public:
  explicit Keeper(const std::vector<x11::ClipboardOffer>& offers) {
    const x11::UniqueFd content(memfd_create("keeper content", MFD_CLOEXEC));
    int ends[2];
    if (!content || !x11::writeOffers(content.get(), offers) || pipe2(ends, O_CLOEXEC) != 0) {
      return;
    }
    const x11::UniqueFd readEnd(ends[0]);
    x11::UniqueFd writeEnd(ends[1]);
    process_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{ORVEX_PROGRAM, x11::kClipboardKeeperOption},
        StandardStreams{.input = content.get(), .output = writeEnd.get(), .errorFile = {}});
    writeEnd.reset();  // so that the read ends if the keeper ends
    pollfd readable{readEnd.get(), POLLIN, 0};
    char ready = 0;
    owns_ = poll(&readable, 1, static_cast<int>(kPatience.count())) == 1 &&
            read(readEnd.get(), &ready, 1) == 1;
  }

  // It said that it owns the clipboard.
  bool owns() const { return owns_; }
  std::optional<int> exitStatusWithin(std::chrono::milliseconds bound) {
    return process_->exitStatusWithin(bound);
  }

 private:
  std::unique_ptr<ChildProcess> process_;
  bool owns_ = false;
};

TEST(MalformedSelectionRequests, LeaveTheOwnerServingAWellFormedPaste) {
  std::mt19937 random(kSeed);
  const Content content(random);
  x11::XcbConnection owning;
  ASSERT_FALSE(owning.broken()) << "DISPLAY must name a running X server";
  std::vector<std::string> targets;
  for (const x11::ClipboardOffer& offer : content.offers()) targets.push_back(offer.target);
  x11::SelectionOwner owner(owning, "ORVEX_TEST_SELECTION", targets);
  ASSERT_TRUE(owner.take(std::make_shared<Served>(content)));
  const Meanwhile serve = [&] {
    // Once the server has answered, all it sent the owner before has come in.
    x11::XcbReply<xcb_get_input_focus_reply_t>(
        xcb_get_input_focus_reply(owning.get(), xcb_get_input_focus(owning.get()), nullptr));
    owner.serveReceived();
  };
  const xcb_atom_t selection = x11::internAtoms(owning.get(), {"ORVEX_TEST_SELECTION"})[0];

  const Watchdog watchdog(kDeadline);
  Mischief(selection, serve).barrage(kMisdeeds);
  // Transfers left stalled are given up on once their requestors have been silent too long.
  owner.dropStalled(Clock::now() + 1h);
  EXPECT_FALSE(owner.transferring());
  EXPECT_TRUE(owner.owned());
  expectEveryOfferPastedWhole(content, selection, serve);
}

TEST(MalformedSelectionRequests, LeaveTheClipboardKeeperServingAWellFormedPasteUntilItLeaves) {
  std::mt19937 random(kSeed);
  const Content content(random);
  const XcbClient other;
  ASSERT_FALSE(other.broken()) << "DISPLAY must name a running X server";
  Keeper keeper(content.offers());
  ASSERT_TRUE(keeper.owns()) << "the keeper did not take the clipboard";
  const xcb_atom_t clipboard = other.atom("CLIPBOARD");
  const Meanwhile pause = [] { std::this_thread::sleep_for(2ms); };

  Mischief(clipboard, pause).barrage(kMisdeeds);
  // Each wait of the paste is bounded: a keeper that hangs does not answer it.
  expectEveryOfferPastedWhole(content, clipboard, pause);

  // Another program copies: the keeper leaves, once it has given up on the transfers stalled.
  xcb_set_selection_owner(other.get(), other.window(), clipboard, XCB_CURRENT_TIME);
  other.sync();
  EXPECT_EQ(keeper.exitStatusWithin(kPatience), 0)
      << "the keeper stayed, crashed or had a sanitizer report (above)";
}

}  // namespace
