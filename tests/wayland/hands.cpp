// The test's hands for scripts (the benchmarks): mutter's RemoteDesktop driven by lines on
// standard input, one command each; "ok" on standard output when done.
//   move X Y | key KEYSYM | press BUTTON 1|0 | drag X0 Y0 X1 Y1 | warm-up | share
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include "remote_desktop.h"

namespace {

constexpr int kLeftButton = 0x110;  // BTN_LEFT

// A drag as a hand makes it: down, a few steps on the way, up.
void drag(const RemoteDesktop& hands, double x0, double y0, double x1, double y1) {
  using namespace std::chrono_literals;
  constexpr int kSteps = 10;
  hands.movePointer(x0, y0);
  std::this_thread::sleep_for(100ms);
  hands.pressButton(kLeftButton, true);
  for (int step = 1; step <= kSteps; ++step) {
    std::this_thread::sleep_for(30ms);
    hands.movePointer(x0 + (x1 - x0) * step / kSteps, y0 + (y1 - y0) * step / kSteps);
  }
  std::this_thread::sleep_for(100ms);
  hands.pressButton(kLeftButton, false);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);  // for the session bus
  const RemoteDesktop hands;
  if (!hands.started()) {
    std::fprintf(stderr, "mutter's RemoteDesktop did not start\n");
    return 1;
  }
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command == "move") {
      double x = 0;
      double y = 0;
      words >> x >> y;
      hands.movePointer(x, y);
    } else if (command == "key") {
      std::uint32_t keysym = 0;
      words >> std::hex >> keysym;
      hands.strikeKey(keysym);
    } else if (command == "press") {
      int button = kLeftButton;
      int down = 0;
      words >> std::hex >> button >> std::dec >> down;
      hands.pressButton(button, down != 0);
    } else if (command == "drag") {
      double x0 = 0;
      double y0 = 0;
      double x1 = 0;
      double y1 = 0;
      words >> x0 >> y0 >> x1 >> y1;
      drag(hands, x0, y0, x1, y1);
    } else if (command == "warm-up") {
      hands.warmUp();
    } else if (command == "share") {
      hands.answerShareDialog();
    }
    std::cout << "ok" << std::endl;
  }
  return 0;
}
