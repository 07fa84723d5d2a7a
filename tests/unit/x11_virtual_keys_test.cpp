#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <string_view>

#include "platform/x11/virtual_keys.h"

namespace {

struct Case {
  unsigned long keysym;
  unsigned long unshifted;
  int code;
  std::string_view keyName = {};  // the key's XKB name, which tells its place
};

void expectCodes(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(x11::virtualKeyCode(c.keysym, c.unshifted, c.keyName), c.code)
        << std::hex << "keysym 0x" << c.keysym << ", unshifted 0x" << c.unshifted << ", key "
        << c.keyName;
  }
}

TEST(VirtualKeys, MainRowDigitsWhateverShiftDoes) {
  expectCodes({{XK_0, XK_0, 48},
               {XK_1, XK_1, 49},
               {XK_4, XK_4, 52},
               {XK_9, XK_9, 57},
               {XK_9, XK_9, 57, "AE09"},
               {XK_exclam, XK_1, 49},
               {XK_numbersign, XK_3, 51},
               {XK_dollar, XK_4, 52},
               {XK_parenright, XK_0, 48},
               {XK_2, 0, 50}});
}

// French keyboards type "&", "é", ... there, and the digits only with Shift or in a second,
// active layout.
TEST(VirtualKeys, MainRowDigitKeysByTheirPlaceWhateverTheLayout) {
  expectCodes({{XK_ampersand, XK_ampersand, 49, "AE01"},
               {XK_eacute, XK_eacute, 50, "AE02"},
               {XK_apostrophe, XK_apostrophe, 52, "AE04"},
               {XK_agrave, XK_agrave, 48, "AE10"},
               {XK_1, XK_ampersand, 49, "AE01"},
               {XK_parenright, XK_parenright, 0, "AE11"}});
}

// On Wayland the key codes are evdev's whatever the layout: the main row's digits are 10 to 19.
TEST(VirtualKeys, MainRowDigitKeysByTheirEvdevKeyCode) {
  constexpr struct {
    unsigned int keycode;
    std::string_view name;
  } kCases[] = {{9, ""},      {10, "AE01"}, {11, "AE02"}, {18, "AE09"},
                {19, "AE10"}, {20, ""},     {87, ""}};
  for (const auto& c : kCases) EXPECT_EQ(x11::evdevDigitRowKeyName(c.keycode), c.name) << c.keycode;
  // A French "&" from the evdev key 10 is the "1" key.
  EXPECT_EQ(x11::virtualKeyCode(XK_ampersand, 0, x11::evdevDigitRowKeyName(10)), 49);
}

TEST(VirtualKeys, KeypadDigitsWithNumLockOn) {
  // The first level of a keypad key is its Num Lock off meaning.
  expectCodes({{XK_KP_0, XK_KP_Insert, 96},
               {XK_KP_1, XK_KP_End, 97},
               {XK_KP_2, XK_KP_Down, 98},
               {XK_KP_3, XK_KP_Next, 99},
               {XK_KP_4, XK_KP_Left, 100},
               {XK_KP_5, XK_KP_Begin, 101},
               {XK_KP_9, XK_KP_Prior, 105},
               {XK_KP_1, XK_KP_End, 97, "KP1"}});
}

TEST(VirtualKeys, KeypadWithNumLockOffNavigatesAndIsNeverADigit) {
  expectCodes({{XK_KP_End, XK_KP_End, 35},
               {XK_KP_Down, XK_KP_Down, 40},
               {XK_KP_Next, XK_KP_Next, 34},
               {XK_KP_Left, XK_KP_Left, 37},
               {XK_KP_Begin, XK_KP_Begin, 12},
               {XK_KP_Right, XK_KP_Right, 39},
               {XK_KP_Home, XK_KP_Home, 36},
               {XK_KP_Up, XK_KP_Up, 38},
               {XK_KP_Prior, XK_KP_Prior, 33},
               {XK_KP_Insert, XK_KP_Insert, 45},
               {XK_KP_Delete, XK_KP_Delete, 46}});
  for (unsigned long keysym = XK_KP_Space; keysym <= XK_KP_Equal; ++keysym) {
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) continue;
    const int code = x11::virtualKeyCode(keysym, keysym, {});
    EXPECT_TRUE(code < 96 || code > 105) << std::hex << keysym;
  }
}

TEST(VirtualKeys, KeypadOperators) {
  expectCodes({{XK_KP_Multiply, XK_KP_Multiply, 106},
               {XK_KP_Add, XK_KP_Add, 107},
               {XK_KP_Subtract, XK_KP_Subtract, 109},
               {XK_KP_Decimal, XK_KP_Delete, 110},
               {XK_KP_Divide, XK_KP_Divide, 111},
               {XK_KP_Enter, XK_KP_Enter, 13}});
}

TEST(VirtualKeys, LettersInEitherCase) {
  expectCodes({{XK_a, XK_a, 65},
               {XK_A, XK_a, 65},
               {XK_z, XK_z, 90},
               {XK_Z, XK_z, 90},
               {XK_V, 0, 86},
               {XK_a, XK_a, 65, "AD01"},
               {XK_m, 0, 77}});
}

TEST(VirtualKeys, EditingAndNavigationKeys) {
  expectCodes({{XK_Left, XK_Left, 37},
               {XK_Up, XK_Up, 38},
               {XK_Right, XK_Right, 39},
               {XK_Down, XK_Down, 40},
               {XK_Return, XK_Return, 13},
               {XK_Escape, XK_Escape, 27},
               {XK_Tab, XK_Tab, 9},
               {XK_ISO_Left_Tab, XK_Tab, 9},
               {XK_space, XK_space, 32},
               {XK_BackSpace, XK_BackSpace, 8},
               {XK_Delete, XK_Delete, 46},
               {XK_Insert, XK_Insert, 45},
               {XK_Home, XK_Home, 36},
               {XK_End, XK_End, 35},
               {XK_Prior, XK_Prior, 33},
               {XK_Next, XK_Next, 34}});
}

TEST(VirtualKeys, FunctionKeys) {
  expectCodes({{XK_F1, XK_F1, 112},
               {XK_F4, XK_F4, 115},
               {XK_F12, XK_F12, 123},
               {XK_F16, XK_F16, 127},
               {XK_F24, XK_F24, 135}});
}

TEST(VirtualKeys, Modifiers) {
  expectCodes({{XK_Shift_L, XK_Shift_L, 16},
               {XK_Shift_R, XK_Shift_R, 16},
               {XK_Control_L, XK_Control_L, 17},
               {XK_Control_R, XK_Control_R, 17},
               {XK_Alt_L, XK_Alt_L, 18},
               {XK_Meta_L, XK_Alt_L, 18},
               {XK_Alt_R, XK_Alt_R, 18}});
}

TEST(VirtualKeys, PunctuationOfTheUsLayout) {
  expectCodes({{XK_semicolon, XK_semicolon, 186},
               {XK_colon, XK_semicolon, 186},
               {XK_equal, XK_equal, 187},
               {XK_comma, XK_comma, 188},
               {XK_minus, XK_minus, 189},
               {XK_period, XK_period, 190},
               {XK_slash, XK_slash, 191},
               {XK_grave, XK_grave, 192},
               {XK_bracketleft, XK_bracketleft, 219},
               {XK_backslash, XK_backslash, 220},
               {XK_bracketright, XK_bracketright, 221},
               {XK_apostrophe, XK_apostrophe, 222}});
}

TEST(VirtualKeys, KeysWithoutACodeGiveZero) {
  expectCodes({{0, 0, 0},
               {XK_KP_F1, XK_KP_F1, 0},
               {XK_KP_Equal, XK_KP_Equal, 0},
               {XK_eacute, XK_eacute, 0},
               {0x1000041, 0x1000041, 0}});
}

}  // namespace
