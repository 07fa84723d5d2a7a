#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

namespace x11 {

// XCB hands out replies and events in malloc'd memory.
struct FreeXcbMemory {
  void operator()(void* memory) const { std::free(memory); }
};
template <typename T>
using XcbReply = std::unique_ptr<T, FreeXcbMemory>;
using XcbEvent = XcbReply<xcb_generic_event_t>;

// The atoms of `names`, in one round trip; XCB_NONE for any the server did not give.
std::vector<xcb_atom_t> internAtoms(xcb_connection_t* connection,
                                    const std::vector<std::string_view>& names);

}  // namespace x11
