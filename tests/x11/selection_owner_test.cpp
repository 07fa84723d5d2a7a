// The selection owner behind the clipboard, asked as a clipboard manager asks when it saves a
// clipboard: every target at once (MULTIPLE), which no manager in the tests' desktop does and
// xclip does not; and a paste in pieces while the content changes.
#include "platform/x11/selection_owner.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/x11/xcb_calls.h"
#include "xcb_client.h"

namespace {

using x11::XcbReply;

// Returns once the server has handled every request of `connection` so far.
void roundTrip(xcb_connection_t* connection) {
  XcbReply<xcb_get_input_focus_reply_t>(
      xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

// Content whose every target has the same bytes.
class SameBytes final : public x11::SelectionContent {
 public:
  explicit SameBytes(std::string bytes) : bytes_(std::move(bytes)) {}
  std::optional<std::string_view> bytes(std::size_t /*index*/) override { return bytes_; }

 private:
  std::string bytes_;
};

TEST(SelectionOwner, ConvertsEachPairOfAMultipleRequestAndRefusesTheOnesItHasNot) {
  x11::XcbConnection owning;
  const XcbClient asking;
  ASSERT_FALSE(owning.broken()) << "DISPLAY must name a running X server";
  const std::string picture = "picture bytes";
  x11::SelectionOwner owner(owning, "ORVEX_TEST_SELECTION", {"image/png"});
  ASSERT_TRUE(owner.take(std::make_shared<SameBytes>(picture)));

  const xcb_atom_t png = asking.atom("image/png");
  const xcb_atom_t gif = asking.atom("image/gif");
  const xcb_atom_t pngHere = asking.atom("ORVEX_PNG_HERE");
  const xcb_atom_t gifHere = asking.atom("ORVEX_GIF_HERE");
  const xcb_atom_t pairs = asking.atom("ORVEX_PAIRS");
  const std::vector<xcb_atom_t> wanted{png, pngHere, gif, gifHere};
  xcb_change_property(asking.get(), XCB_PROP_MODE_REPLACE, asking.window(), pairs,
                      asking.atom("ATOM_PAIR"), 32, static_cast<std::uint32_t>(wanted.size()),
                      wanted.data());
  xcb_convert_selection(asking.get(), asking.window(), asking.atom("ORVEX_TEST_SELECTION"),
                        asking.atom("MULTIPLE"), pairs, XCB_CURRENT_TIME);
  ASSERT_EQ(asking.received(XCB_SELECTION_NOTIFY), nullptr);

  owner.serveReceived();
  roundTrip(owning.get());
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

// The clipboard's picture changes with every capture; a paste under way still gets the one it
// asked for, whole.
TEST(SelectionOwner, APasteInPiecesGetsTheContentItAskedForWhateverIsTakenMeanwhile) {
  x11::XcbConnection owning;
  const XcbClient asking;
  ASSERT_FALSE(owning.broken()) << "DISPLAY must name a running X server";
  const std::size_t pieceSize =
      std::size_t{xcb_get_setup(owning.get())->maximum_request_length} * 4;
  std::string first(pieceSize * 5 / 2, '\0');
  for (std::size_t i = 0; i < first.size(); ++i) first[i] = static_cast<char>(i * 7);
  x11::SelectionOwner owner(owning, "ORVEX_TEST_SELECTION", {"image/png"});
  ASSERT_TRUE(owner.take(std::make_shared<SameBytes>(first)));

  const xcb_atom_t here = asking.atom("ORVEX_PNG_HERE");
  xcb_convert_selection(asking.get(), asking.window(), asking.atom("ORVEX_TEST_SELECTION"),
                        asking.atom("image/png"), here, XCB_CURRENT_TIME);
  asking.sync();
  owner.serveReceived();
  ASSERT_EQ(asking.property<std::uint32_t>(here).first, asking.atom("INCR"));
  ASSERT_TRUE(owner.take(std::make_shared<SameBytes>("the next picture")));

  // Each deletion of the property asks for the next piece; an empty one ends the paste.
  std::string pasted;
  for (int piece = 0; piece < 10; ++piece) {
    xcb_delete_property(asking.get(), asking.window(), here);
    asking.sync();
    owner.serveReceived();
    roundTrip(owning.get());
    const std::vector<char> bytes = asking.property<char>(here).second;
    if (bytes.empty()) break;
    pasted.append(bytes.begin(), bytes.end());
  }
  EXPECT_EQ(pasted, first);
  EXPECT_FALSE(owner.transferring());
}

}  // namespace
