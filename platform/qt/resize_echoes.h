#pragma once

#include <algorithm>
#include <cstddef>
#include <deque>

#include "platform/graphics/bitmap.h"

namespace qtplatform {

// Sizes we asked the window manager for and that it has not confirmed yet. It confirms each
// request later with a resize event of its own, also after newer requests, so back-to-back
// resizes come back as a replay of the intermediate sizes.
class ResizeEchoes {
 public:
  void requested(graphics::Size size) {
    if (pending_.size() == kMaxPending) pending_.pop_front();  // one was refused, never echoed
    pending_.push_back(size);
  }

  // Whether `size` confirms one of our requests; that request and all older ones are done.
  bool confirms(graphics::Size size) {
    const auto found = std::find(pending_.begin(), pending_.end(), size);
    if (found == pending_.end()) return false;
    pending_.erase(pending_.begin(), found + 1);
    return true;
  }

  bool pending() const { return !pending_.empty(); }

 private:
  static constexpr std::size_t kMaxPending = 16;
  std::deque<graphics::Size> pending_;
};

}  // namespace qtplatform
