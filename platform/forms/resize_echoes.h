#pragma once

#include <algorithm>
#include <cstddef>
#include <deque>

#include "platform/graphics/bitmap.h"

namespace forms {

// Sizes we asked an X server for (Qt's window, or Wine's X window under a Win32 one), oldest
// first, that no configure notification has answered yet. The window manager answers them in order,
// sometimes several in one go with the newest size, and often only after we asked for more:
// back-to-back resizes come back as a replay of the intermediate sizes.
class ResizeEchoes {
 public:
  enum class Answer {
    Foreign,  // no size we are waiting for: the window manager's own, or the user's
    Stale,    // one of our requests, but newer ones are still on their way
    Latest,   // our newest request: the server has caught up with us
  };

  void requested(graphics::Size size) {
    if (pending_.size() == kMaxPending) pending_.pop_front();
    pending_.push_back(size);
  }

  // What a notification of `size` answers. Answering a request answers the older ones too:
  // they were merged into it or refused. A size asked for twice counts as its older request,
  // which is right for a replay; a merged answer leaves the newer one pending a while.
  Answer answer(graphics::Size size) {
    const auto found = std::find(pending_.begin(), pending_.end(), size);
    if (found == pending_.end()) return Answer::Foreign;
    pending_.erase(pending_.begin(), found + 1);
    return pending_.empty() ? Answer::Latest : Answer::Stale;
  }

  bool pending() const { return !pending_.empty(); }

 private:
  // Only a window manager that stopped answering lets this many pile up.
  static constexpr std::size_t kMaxPending = 1024;
  std::deque<graphics::Size> pending_;
};

}  // namespace forms
