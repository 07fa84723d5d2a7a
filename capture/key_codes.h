#pragma once

#include <cstdint>

// The command keys by key code: the main row and the keypad (with Num Lock on) alike.
namespace key_codes {

constexpr bool isKey(std::int16_t keyCode, int digit) {
  constexpr int kMainRowZero = 48;
  constexpr int kKeypadZero = 96;
  return keyCode == kMainRowZero + digit || keyCode == kKeypadZero + digit;
}

}  // namespace key_codes
