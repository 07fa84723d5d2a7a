#pragma once

#include <chrono>
#include <thread>

// How long the tests wait for anything the code under test does in response to them. Generous:
// the machine may be busy; a passing test waits only as long as it must.
inline constexpr std::chrono::milliseconds kPatience{10000};

// The longest pause between two looks at a condition.
inline constexpr std::chrono::milliseconds kLookInterval{20};

inline void sleepBetweenLooks() { std::this_thread::sleep_for(kLookInterval); }

// Looks at `condition` until it holds or `timeout` has passed, and returns its last value.
// Between two looks it runs `betweenLooks`, which lets the awaited change come in: a sleep
// when another process makes it, an event loop when this one must take it in. A pause that
// returns as soon as something came in makes the wait no longer than it must be.
template <typename Condition, typename BetweenLooks = void (*)()>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout = kPatience,
               BetweenLooks betweenLooks = sleepBetweenLooks) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return condition();
    betweenLooks();
  }
  return true;
}
