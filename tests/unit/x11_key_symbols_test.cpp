#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/keys/key_string.h"
#include "platform/x11/key_symbols.h"

namespace {

TEST(KeySymbols, EveryKeyNameHasAKeysym) {
  for (const std::string_view name : keys::keyNames()) {
    EXPECT_NE(x11::keysymForKey(name), 0U) << name;
  }
}

TEST(KeySymbols, NamedKeys) {
  EXPECT_EQ(x11::keysymForKey("ENTER"), XK_Return);
  EXPECT_EQ(x11::keysymForKey("ESC"), XK_Escape);
  EXPECT_EQ(x11::keysymForKey("PGUP"), XK_Prior);
  EXPECT_EQ(x11::keysymForKey("PGDN"), XK_Next);
  EXPECT_EQ(x11::keysymForKey("F4"), XK_F4);
  EXPECT_EQ(x11::keysymForKey("F16"), XK_F16);
  EXPECT_EQ(x11::keysymForKey("ADD"), XK_KP_Add);
}

TEST(KeySymbols, CharactersAreTheirLatin1OrUnicodeKeysyms) {
  EXPECT_EQ(x11::keysymForKey("v"), XK_v);
  EXPECT_EQ(x11::keysymForKey("V"), XK_V);
  EXPECT_EQ(x11::keysymForKey("1"), XK_1);
  EXPECT_EQ(x11::keysymForKey("!"), XK_exclam);
  EXPECT_EQ(x11::keysymForKey(" "), XK_space);
  EXPECT_EQ(x11::keysymForKey("~"), XK_asciitilde);
  EXPECT_EQ(x11::keysymForKey("é"), XK_eacute);
  EXPECT_EQ(x11::keysymForKey("日"), 0x01000000U + 0x65E5U);
}

TEST(KeySymbols, NothingTypesControlCharactersOrUnknownNames) {
  EXPECT_EQ(x11::keysymForKey("\n"), 0U);
  EXPECT_EQ(x11::keysymForKey("\x7F"), 0U);
  EXPECT_EQ(x11::keysymForKey("\xC2\x85"), 0U);
  EXPECT_EQ(x11::keysymForKey("FOO"), 0U);
  EXPECT_EQ(x11::keysymForKey("ab"), 0U);
  EXPECT_EQ(x11::keysymForKey(""), 0U);
}

}  // namespace
