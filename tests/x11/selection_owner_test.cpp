// The selection owner behind the clipboard keeper, asked as a clipboard manager asks when it
// saves a clipboard: every target at once (MULTIPLE). No manager that does so runs in the
// tests' desktop; xclip fetches single targets.
#include "platform/x11/selection_owner.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <string>
#include <vector>

#include "platform/x11/xcb_calls.h"

namespace {

using x11::XcbReply;

// A client of the display under test with a window of its own that is never shown.
class Client {
 public:
  Client() : connection_(xcb_connect(nullptr, nullptr)), window_(xcb_generate_id(connection_)) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  }
  ~Client() { xcb_disconnect(connection_); }
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  xcb_connection_t* get() const { return connection_; }
  xcb_window_t window() const { return window_; }
  xcb_atom_t atom(std::string_view name) const { return x11::internAtoms(connection_, {name})[0]; }

  // Returns once the server has handled our every request so far.
  void sync() const {
    XcbReply<xcb_get_input_focus_reply_t>(
        xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
  }
  // The first event of `type` that reached us by the time the server has handled our every
  // request so far (and those of clients that synced before); null if none did.
  x11::XcbEvent received(std::uint8_t type) const {
    sync();
    while (x11::XcbEvent event{xcb_poll_for_event(connection_)}) {
      if ((event->response_type & 0x7F) == type) return event;
    }
    return nullptr;
  }

  // A property of our window: its type and its values of `format` bits each.
  template <typename Value>
  std::pair<xcb_atom_t, std::vector<Value>> property(xcb_atom_t name) const {
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 0, window_, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20),
        nullptr));
    if (!reply) return {XCB_NONE, {}};
    const auto* values = static_cast<const Value*>(xcb_get_property_value(reply.get()));
    const auto count = xcb_get_property_value_length(reply.get()) / sizeof(Value);
    return {reply->type, std::vector<Value>(values, values + count)};
  }

 private:
  xcb_connection_t* connection_;
  xcb_window_t window_;
};

TEST(SelectionOwner, ConvertsEachPairOfAMultipleRequestAndRefusesTheOnesItHasNot) {
  const Client owning;
  const Client asking;
  ASSERT_EQ(xcb_connection_has_error(owning.get()), 0) << "DISPLAY must name a running X server";
  const std::string picture = "picture bytes";
  x11::SelectionOwner owner(owning.get(), owning.window(), {{"image/png", picture}});
  const xcb_atom_t selection = owning.atom("ORVEX_TEST_SELECTION");
  ASSERT_TRUE(owner.take(selection, XCB_CURRENT_TIME));

  const xcb_atom_t png = asking.atom("image/png");
  const xcb_atom_t gif = asking.atom("image/gif");
  const xcb_atom_t pngHere = asking.atom("ORVEX_PNG_HERE");
  const xcb_atom_t gifHere = asking.atom("ORVEX_GIF_HERE");
  const xcb_atom_t pairs = asking.atom("ORVEX_PAIRS");
  const std::vector<xcb_atom_t> wanted{png, pngHere, gif, gifHere};
  xcb_change_property(asking.get(), XCB_PROP_MODE_REPLACE, asking.window(), pairs,
                      asking.atom("ATOM_PAIR"), 32, static_cast<std::uint32_t>(wanted.size()),
                      wanted.data());
  xcb_convert_selection(asking.get(), asking.window(), selection, asking.atom("MULTIPLE"), pairs,
                        XCB_CURRENT_TIME);
  ASSERT_EQ(asking.received(XCB_SELECTION_NOTIFY), nullptr);

  const x11::XcbEvent request = owning.received(XCB_SELECTION_REQUEST);
  ASSERT_NE(request, nullptr);
  EXPECT_TRUE(owner.handle(*request));
  owning.sync();
  const x11::XcbEvent answer = asking.received(XCB_SELECTION_NOTIFY);
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(reinterpret_cast<const xcb_selection_notify_event_t&>(*answer).property, pairs);

  EXPECT_EQ(asking.property<xcb_atom_t>(pairs).second,
            (std::vector<xcb_atom_t>{png, pngHere, XCB_NONE, gifHere}));
  const auto [type, bytes] = asking.property<char>(pngHere);
  EXPECT_EQ(type, png);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), picture);
  EXPECT_EQ(asking.property<char>(gifHere).first, static_cast<xcb_atom_t>(XCB_NONE));
}

}  // namespace
