// The selection owner behind the clipboard keeper, asked as a clipboard manager asks when it
// saves a clipboard: every target at once (MULTIPLE). No manager that does so runs in the
// tests' desktop; xclip fetches single targets.
#include "platform/x11/selection_owner.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <string>
#include <vector>

#include "xcb_client.h"

namespace {

TEST(SelectionOwner, ConvertsEachPairOfAMultipleRequestAndRefusesTheOnesItHasNot) {
  const XcbClient owning;
  const XcbClient asking;
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
