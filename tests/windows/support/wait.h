#pragma once

#include <windows.h>

#include <chrono>

namespace wine_test {

// Polls `condition` until it holds or `timeout` has passed; whether it held.
template <typename Condition>
bool waitUntil(Condition condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(20);
  }
  return true;
}

}  // namespace wine_test
