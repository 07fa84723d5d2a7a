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
      {{"--help", "--bogus"}, 0, "Usage: orvex-capture [OPTION]", ""},
      {{"--version", "--help"}, 0, "orvex-capture " ORVEX_VERSION, ""},
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
