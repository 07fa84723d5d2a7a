#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/peers.h"

namespace peer_test {

// A listener that records what a peer reports.
class Recorder final : public forms::PeerListener {
 public:
  int clicks = 0;
  int stateChanges = 0;
  int ticks = 0;
  std::vector<forms::MouseArgs> moves;
  std::vector<int> scrolls;
  std::vector<std::string> edits;
  std::vector<std::pair<int, int>> keys;  // key code, shift
  std::vector<graphics::Size> resizes;
  std::function<void()> onKey;  // what the window's handler does on a key release

  void peerClicked() override { ++clicks; }
  void peerMouseMoved(const forms::MouseArgs& args) override { moves.push_back(args); }
  void peerScrolled(int value) override { scrolls.push_back(value); }
  void peerTextEdited(const std::string& text) override { edits.push_back(text); }
  void peerKeyReleased(int keyCode, int shift) override {
    keys.emplace_back(keyCode, shift);
    if (onKey) onKey();
  }
  void peerResized(graphics::Size client) override { resizes.push_back(client); }
  void peerWindowStateChanged() override { ++stateChanges; }
  void peerTicked() override { ++ticks; }
};

}  // namespace peer_test
