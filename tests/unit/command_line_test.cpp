#include "app/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Answered {
  std::optional<int> status;
  std::string out;
  std::string err;
};

Answered run(const std::vector<const char*>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const auto status = commandline::answer(commandline::parse(arguments), out, err);
  return {status, out.str(), err.str()};
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

TEST(CommandLine, AnswersOptionsAndRefusesEverythingElse) {
  constexpr int kMisuse = 2;
  const struct {
    std::vector<const char*> arguments;
    std::optional<int> status;
    std::string firstOut;
    std::string firstErr;
  } cases[] = {
      {{}, std::nullopt, "", ""},
      {{"--help"}, 0, "Usage: orvex-capture [OPTION]", ""},
      {{"--help", "--bogus"},
       kMisuse,
       "",
       "orvex-capture: unknown option \"--bogus\" (不明なオプションです)"},
      {{"--version", "--bogus"},
       kMisuse,
       "",
       "orvex-capture: unknown option \"--bogus\" (不明なオプションです)"},
      {{"--version", "--help"},
       kMisuse,
       "",
       "orvex-capture: unexpected argument \"--help\" (引数は受け付けません)"},
      {{"--\x1b[31mred"},
       kMisuse,
       "",
       "orvex-capture: unknown option $'--\\e[31mred' (不明なオプションです)"},
      {{"--bogus"},
       kMisuse,
       "",
       "orvex-capture: unknown option \"--bogus\" (不明なオプションです)"},
      {{"--help=all"},
       kMisuse,
       "",
       "orvex-capture: unknown option \"--help=all\" (不明なオプションです)"},
      {{"--"}, kMisuse, "", "orvex-capture: unknown option \"--\" (不明なオプションです)"},
      {{"-h"}, kMisuse, "", "orvex-capture: unknown option \"-h\" (不明なオプションです)"},
      {{"shot.png"},
       kMisuse,
       "",
       "orvex-capture: unexpected argument \"shot.png\" (引数は受け付けません)"},
      {{"", "--help"},
       kMisuse,
       "",
       "orvex-capture: unexpected argument \"\" (引数は受け付けません)"},
  };
  for (const auto& c : cases) {
    const Answered answered = run(c.arguments);
    const std::string label = c.arguments.empty() ? "(none)" : c.arguments.front();
    EXPECT_EQ(answered.status, c.status) << label;
    EXPECT_EQ(firstLine(answered.out), c.firstOut) << label;
    EXPECT_EQ(firstLine(answered.err), c.firstErr) << label;
  }
}

TEST(CommandLine, QuotesArgumentsSoTheyReadBackAsTyped) {
  const struct {
    const char* argument;
    const char* shown;
  } cases[] = {
      {"shot.png", "\"shot.png\""},
      {"画面", "\"画面\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"\x1b]0;title\x07", "$'\\e]0;title\\x07'"},
      {"a\tb\nc\rd\x7f", "$'a\\tb\\nc\\rd\\x7F'"},
      {"\xc2\x9b"
       "2J",
       "$'\\u009B2J'"},  // C1 control sequence introducer
      {"bad\xff", "$'bad\\xFF'"},
      {"it's\n", "$'it\\'s\\n'"},
  };
  for (const auto& c : cases) EXPECT_EQ(commandline::quoted(c.argument), c.shown) << c.shown;
}

// An answer that cannot be written fails, and says so where it can.
TEST(CommandLine, AnUnwrittenAnswerFails) {
  for (const char* option : {"--help", "--version"}) {
    std::ostringstream out;
    out.setstate(std::ios::badbit);  // as a full disk leaves it
    std::ostringstream err;
    const char* const arguments[] = {option};
    EXPECT_EQ(commandline::answer(commandline::parse(arguments), out, err), 1) << option;
    EXPECT_EQ(err.str(), "orvex-capture: 出力を書き込めません (cannot write the output)\n");
  }
}

TEST(CommandLine, StartFailuresAreInEnglishTooForThoseWhoDoNotReadJapanese) {
  const struct {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    bool japanese;
  } locales[] = {
      {nullptr, nullptr, "ja_JP.UTF-8", true},  {nullptr, nullptr, "de_DE.UTF-8", false},
      {"", "ja_JP.UTF-8", "en_US.UTF-8", true}, {"C", "ja_JP.UTF-8", "ja_JP.UTF-8", false},
      {"ja_JP.eucJP", nullptr, "C", true},      {nullptr, nullptr, nullptr, false},
  };
  for (const auto& locale : locales) {
    EXPECT_EQ(commandline::localeIsJapanese(locale.lcAll, locale.lcMessages, locale.lang),
              locale.japanese)
        << (locale.lang != nullptr ? locale.lang : "(unset)");
  }
  EXPECT_EQ(commandline::startFailure("DISPLAY が設定されていません", "DISPLAY is not set", true),
            "orvex-capture: 起動できません: DISPLAY が設定されていません\n");
  EXPECT_EQ(commandline::startFailure("DISPLAY が設定されていません", "DISPLAY is not set", false),
            "orvex-capture: 起動できません: DISPLAY が設定されていません\n"
            "orvex-capture: cannot start: DISPLAY is not set\n");
}

TEST(CommandLine, UsageListsEveryOptionInBothLanguagesAlsoAfterAMisuse) {
  const std::string help = run({"--help"}).out;
  for (const char* expected : {"--help", "--version", "使い方: orvex-capture [オプション]",
                               "この説明を表示して終わります", "バージョンを表示して終わります"}) {
    EXPECT_NE(help.find(expected), std::string::npos) << expected;
  }
  const std::string misuse = run({"--bogus"}).err;
  EXPECT_EQ(misuse.substr(misuse.find("\n\n") + 2), help);
}

TEST(CommandLine, VersionIsOneLine) {
  const std::string version = run({"--version"}).out;
  EXPECT_EQ(version, firstLine(version) + "\n");
}

}  // namespace
