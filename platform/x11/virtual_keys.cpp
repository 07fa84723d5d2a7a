#include "platform/x11/virtual_keys.h"

#include <X11/keysym.h>

#include <span>
#include <string_view>

namespace x11 {
namespace {

struct KeyCodeOf {
  unsigned long keysym;
  int code;
};

// Keypad keys other than the digits with Num Lock on.
constexpr KeyCodeOf kKeypadKeys[] = {
    {XK_KP_Space, 32},      {XK_KP_Tab, 9},        {XK_KP_Enter, 13},     {XK_KP_Begin, 12},
    {XK_KP_Prior, 33},      {XK_KP_Next, 34},      {XK_KP_End, 35},       {XK_KP_Home, 36},
    {XK_KP_Left, 37},       {XK_KP_Up, 38},        {XK_KP_Right, 39},     {XK_KP_Down, 40},
    {XK_KP_Insert, 45},     {XK_KP_Delete, 46},    {XK_KP_Multiply, 106}, {XK_KP_Add, 107},
    {XK_KP_Separator, 108}, {XK_KP_Subtract, 109}, {XK_KP_Decimal, 110},  {XK_KP_Divide, 111}};

// Everything else that has a code, but digits, letters and function keys.
constexpr KeyCodeOf kOtherKeys[] = {
    {XK_BackSpace, 8},      {XK_Tab, 9},           {XK_ISO_Left_Tab, 9},
    {XK_Clear, 12},         {XK_Return, 13},       {XK_Shift_L, 16},
    {XK_Shift_R, 16},       {XK_Control_L, 17},    {XK_Control_R, 17},
    {XK_Alt_L, 18},         {XK_Alt_R, 18},        {XK_Meta_L, 18},
    {XK_Meta_R, 18},        {XK_Pause, 19},        {XK_Caps_Lock, 20},
    {XK_Escape, 27},        {XK_space, 32},        {XK_Prior, 33},
    {XK_Next, 34},          {XK_End, 35},          {XK_Home, 36},
    {XK_Left, 37},          {XK_Up, 38},           {XK_Right, 39},
    {XK_Down, 40},          {XK_Select, 41},       {XK_Execute, 43},
    {XK_Print, 44},         {XK_Insert, 45},       {XK_Delete, 46},
    {XK_Help, 47},          {XK_Super_L, 91},      {XK_Super_R, 92},
    {XK_Menu, 93},          {XK_Num_Lock, 144},    {XK_Scroll_Lock, 145},
    {XK_semicolon, 186},    {XK_equal, 187},       {XK_comma, 188},
    {XK_minus, 189},        {XK_period, 190},      {XK_slash, 191},
    {XK_grave, 192},        {XK_bracketleft, 219}, {XK_backslash, 220},
    {XK_bracketright, 221}, {XK_apostrophe, 222}};

int codeIn(std::span<const KeyCodeOf> table, unsigned long keysym) {
  for (const KeyCodeOf& entry : table) {
    if (entry.keysym == keysym) return entry.code;
  }
  return 0;
}

int offsetIn(unsigned long keysym, unsigned long first, unsigned long last, int firstCode) {
  return keysym >= first && keysym <= last ? firstCode + static_cast<int>(keysym - first) : 0;
}

// The main row's digit keys by their XKB names, AE01 (the "1" key) to AE10 (the "0" key).
constexpr std::string_view kDigitRowKeys[] = {"AE10", "AE01", "AE02", "AE03", "AE04",
                                              "AE05", "AE06", "AE07", "AE08", "AE09"};

int digitRowCode(std::string_view keyName) {
  for (int digit = 0; digit < 10; ++digit) {
    if (kDigitRowKeys[digit] == keyName) return 48 + digit;
  }
  return 0;
}

}  // namespace

std::string_view evdevDigitRowKeyName(unsigned int keycode) {
  constexpr unsigned int kFirstDigitKey = 10;  // KEY_1 (2) + 8: "1", then "2" ... "9", "0"
  if (keycode < kFirstDigitKey || keycode >= kFirstDigitKey + 10) return {};
  return kDigitRowKeys[(keycode - kFirstDigitKey + 1) % 10];
}

int virtualKeyCode(unsigned long keysym, unsigned long unshiftedKeysym, std::string_view keyName) {
  // The keypad is told by what it typed: its first level is the Num Lock off one (KP_End for
  // the 1 key), whatever the lock says.
  if (const int digit = offsetIn(keysym, XK_KP_0, XK_KP_9, 96)) return digit;
  if (keysym >= XK_KP_Space && keysym <= XK_KP_Equal) return codeIn(kKeypadKeys, keysym);

  // The main row's digit keys have their codes whatever a layout prints on them: "&" and "é"
  // on French keyboards, which type the digits with Shift.
  if (const int digit = digitRowCode(keyName)) return digit;

  // Elsewhere the key's first symbol decides: Shift+; types ':' and is still the ; key.
  const unsigned long key = unshiftedKeysym != 0 ? unshiftedKeysym : keysym;
  if (const int code = offsetIn(key, XK_0, XK_9, 48)) return code;
  if (const int code = offsetIn(key, XK_a, XK_z, 65)) return code;
  if (const int code = offsetIn(key, XK_A, XK_Z, 65)) return code;
  if (const int code = offsetIn(key, XK_F1, XK_F24, 112)) return code;
  return codeIn(kOtherKeys, key);
}

}  // namespace x11
