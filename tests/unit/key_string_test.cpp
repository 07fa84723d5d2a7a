#include "platform/keys/key_string.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/forms/runtime_error.h"

namespace {

using keys::KeyStroke;
using keys::Modifier;
using keys::parseKeyString;
using Strokes = std::vector<KeyStroke>;

constexpr int kInvalidProcedureCall = 5;

KeyStroke plain(std::string key) { return {{}, std::move(key)}; }

TEST(KeyString, ModifiersApplyToTheNextKey) {
  EXPECT_EQ(parseKeyString("^v"), (Strokes{{{Modifier::Control}, "v"}}));
  EXPECT_EQ(parseKeyString("%{F4}"), (Strokes{{{Modifier::Alt}, "F4"}}));
  EXPECT_EQ(parseKeyString("+a"), (Strokes{{{Modifier::Shift}, "a"}}));
  EXPECT_EQ(parseKeyString("^va"), (Strokes{{{Modifier::Control}, "v"}, plain("a")}));
}

TEST(KeyString, SeveralModifiersAreHeldInTheOrderGiven) {
  EXPECT_EQ(parseKeyString("^+a"), (Strokes{{{Modifier::Control, Modifier::Shift}, "a"}}));
  EXPECT_EQ(parseKeyString("+^%x"),
            (Strokes{{{Modifier::Shift, Modifier::Control, Modifier::Alt}, "x"}}));
  EXPECT_EQ(parseKeyString("^^v"), (Strokes{{{Modifier::Control}, "v"}}));
}

TEST(KeyString, ModifiersApplyToEveryKeyOfAGroup) {
  EXPECT_EQ(parseKeyString("+(ab)"), (Strokes{{{Modifier::Shift}, "a"}, {{Modifier::Shift}, "b"}}));
  EXPECT_EQ(parseKeyString("+(ab)c"),
            (Strokes{{{Modifier::Shift}, "a"}, {{Modifier::Shift}, "b"}, plain("c")}));
  EXPECT_EQ(parseKeyString("^(a%b{TAB})"), (Strokes{{{Modifier::Control}, "a"},
                                                    {{Modifier::Control, Modifier::Alt}, "b"},
                                                    {{Modifier::Control}, "TAB"}}));
  EXPECT_EQ(parseKeyString("(ab)"), (Strokes{plain("a"), plain("b")}));
  EXPECT_EQ(parseKeyString("+(a^(b))"),
            (Strokes{{{Modifier::Shift}, "a"}, {{Modifier::Shift, Modifier::Control}, "b"}}));
}

TEST(KeyString, NamedKeysInAnyCaseAndTheirAliases) {
  const struct {
    const char* keys;
    const char* key;
  } cases[] = {{"{ENTER}", "ENTER"},
               {"{enter}", "ENTER"},
               {"{Tab}", "TAB"},
               {"{ESC}", "ESC"},
               {"{BACKSPACE}", "BACKSPACE"},
               {"{BS}", "BACKSPACE"},
               {"{bksp}", "BACKSPACE"},
               {"{DELETE}", "DELETE"},
               {"{DEL}", "DELETE"},
               {"{INSERT}", "INSERT"},
               {"{INS}", "INSERT"},
               {"{PGUP}", "PGUP"},
               {"{pgdn}", "PGDN"},
               {"{F1}", "F1"},
               {"{f16}", "F16"}};
  for (const auto& c : cases) EXPECT_EQ(parseKeyString(c.keys), (Strokes{plain(c.key)})) << c.keys;
}

TEST(KeyString, EveryKeyNameReadsAsItself) {
  for (const std::string_view name : keys::keyNames()) {
    const std::string keys = "{" + std::string(name) + "}";
    EXPECT_EQ(parseKeyString(keys), (Strokes{plain(std::string(name))})) << keys;
  }
  EXPECT_EQ(keys::keyNames().size(), 40U);
}

TEST(KeyString, TildeIsEnter) {
  EXPECT_EQ(parseKeyString("~"), (Strokes{plain("ENTER")}));
  EXPECT_EQ(parseKeyString("^~"), (Strokes{{{Modifier::Control}, "ENTER"}}));
}

TEST(KeyString, RepeatCounts) {
  EXPECT_EQ(parseKeyString("{TAB 3}"), (Strokes(3, plain("TAB"))));
  EXPECT_EQ(parseKeyString("{left 2}"), (Strokes(2, plain("LEFT"))));
  EXPECT_EQ(parseKeyString("{a 4}"), (Strokes(4, plain("a"))));
  EXPECT_EQ(parseKeyString("{+ 2}"), (Strokes(2, plain("+"))));
  EXPECT_EQ(parseKeyString("+{TAB 2}"), (Strokes(2, {{Modifier::Shift}, "TAB"})));
  EXPECT_EQ(parseKeyString("{TAB 0}x"), (Strokes{plain("x")}));
  EXPECT_EQ(parseKeyString("{DOWN 1000}").size(), 1000U);
}

TEST(KeyString, BracedSpecialCharactersAreThemselves) {
  for (const char* special : {"+", "^", "%", "~", "(", ")", "{", "}"}) {
    const std::string keys = std::string("{") + special + "}";
    EXPECT_EQ(parseKeyString(keys), (Strokes{plain(special)})) << keys;
  }
  EXPECT_EQ(parseKeyString("^{}}"), (Strokes{{{Modifier::Control}, "}"}}));
  EXPECT_EQ(parseKeyString("{{}{}}"), (Strokes{plain("{"), plain("}")}));
  EXPECT_EQ(parseKeyString("{a}"), (Strokes{plain("a")}));
}

TEST(KeyString, PlainCharactersIncludingSpacesAndUtf8) {
  EXPECT_EQ(parseKeyString("a B"), (Strokes{plain("a"), plain(" "), plain("B")}));
  EXPECT_EQ(parseKeyString("1!"), (Strokes{plain("1"), plain("!")}));
  EXPECT_EQ(parseKeyString("é日"), (Strokes{plain("é"), plain("日")}));
  EXPECT_EQ(parseKeyString("{é 2}"), (Strokes(2, plain("é"))));
  EXPECT_TRUE(parseKeyString("").empty());
}

// The error's description, which names the string and why it is malformed.
std::string errorFor(const std::string& keys) {
  try {
    parseKeyString(keys);
  } catch (const forms::RuntimeError& error) {
    EXPECT_EQ(error.number(), kInvalidProcedureCall) << keys;
    EXPECT_NE(error.description().find("\"" + keys + "\""), std::string::npos) << keys;
    return error.description();
  }
  ADD_FAILURE() << "no error for " << keys;
  return {};
}

TEST(KeyString, MalformedStringsSayWhatIsWrong) {
  const struct {
    std::string keys;
    std::string reason;
  } cases[] = {
      {"{TAB", "「{」が閉じていません"},
      {"a{", "「{」が閉じていません"},
      {"+(ab", "「(」が閉じていません"},
      {"((a)", "「(」が閉じていません"},
      {"ab)", "対応する「(」のない「)」"},
      {"(a))", "対応する「(」のない「)」"},
      {"a}", "対応する「{」のない「}」"},
      {"{FOO}", "「FOO」というキー名はありません"},
      {"{F17}", "「F17」というキー名はありません"},
      {"{F4 }", "繰り返し回数「」が数ではありません"},
      {"{TAB x}", "繰り返し回数「x」が数ではありません"},
      {"{TAB -1}", "繰り返し回数「-1」が数ではありません"},
      {"{TAB +2}", "繰り返し回数「+2」が数ではありません"},
      {"{TAB 1001}", "繰り返し回数は 1000 までです"},
      {"{TAB 99999999999999}", "繰り返し回数は 1000 までです"},
      {"{NOPE 2}", "「NOPE」というキー名はありません"},
      {"^", "「^」の後にキーがありません"},
      {"a%", "「%」の後にキーがありません"},
      {"+^", "「^」の後にキーがありません"},
      {"(a+)", "「+」の後にキーがありません"},
      {"{}", "「{}」の中にキー名がありません"},
      {"^()", "「()」の中にキーがありません"},
      {"a\xFF", "UTF-8 として読めない文字があります"},
      {"\xC3", "UTF-8 として読めない文字があります"},
  };
  for (const auto& c : cases) {
    EXPECT_NE(errorFor(c.keys).find(c.reason), std::string::npos)
        << c.keys << " gave " << errorFor(c.keys);
  }
}

}  // namespace
