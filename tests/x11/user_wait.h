#pragma once

#include <chrono>
#include <thread>

// How long the tests wait for anything the program does in response to the user. Generous:
// the machine may be busy; a passing test waits only as long as it must.
inline constexpr std::chrono::milliseconds kPatience{10000};

// Polls `condition` until it holds or `timeout` has passed; returns its last value.
template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout = kPatience) {
  constexpr std::chrono::milliseconds kPollInterval{20};
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return condition();
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}
