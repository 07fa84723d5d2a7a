#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "tests/peers/peer_driver.h"
#include "tests/peers/recorder.h"

namespace peer_test {

// A toolkit's peers, with a window of the given client size, shown and active, ready for
// controls; its events recorded.
class PeerTest : public ::testing::Test {
 protected:
  void openWindow(graphics::Size client) {
    window = toolkit.createWindow(windowEvents);
    window->setCaption("ピア試験");
    window->resizeClient(client);
  }
  void showWindow() {
    ASSERT_TRUE(driver->showActive(*window)) << "the window never became active";
  }
  // A scroll bar from 1 to 40 by 1 and by 5, at 10, across a window of its own, shown.
  std::unique_ptr<forms::ScrollBarPeer> showScrollBar(Recorder& events) {
    openWindow({300, 100});
    auto bar = toolkit.createScrollBar(*window, events);
    bar->setGeometry({10, 10, 280, 20});
    bar->setRange({1, 40, 1, 5});
    bar->setValue(10);
    showWindow();
    return bar;
  }

  const std::unique_ptr<PeerDriver> driver = makePeerDriver();
  forms::Toolkit& toolkit = driver->toolkit();
  Recorder windowEvents;
  std::unique_ptr<forms::WindowPeer> window;
};

}  // namespace peer_test
