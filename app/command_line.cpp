#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <string_view>

namespace commandline {
namespace {

constexpr std::string_view kProgramName = "orvex-capture";
constexpr std::string_view kVersion = ORVEX_VERSION;  // the project's version, set by CMake

struct Option {
  std::string_view name;
  Action action;
  // What the usage says of it, in English and Japanese; an option without them is internal
  // to the program and not listed.
  std::string_view english;
  std::string_view japanese;
};

constexpr std::array kOptions{
    Option{"--help", Action::kPrintHelp, "show this help and exit", "この説明を表示して終わります"},
    Option{"--version", Action::kPrintVersion, "show the version and exit",
           "バージョンを表示して終わります"},
};

void printUsage(std::ostream& out) {
  constexpr std::size_t kNameColumn = 12;
  out << "Usage: " << kProgramName << " [OPTION]\n"
      << "使い方: " << kProgramName << " [オプション]\n\n"
      << "Captures and magnifies any part of the screen. Without an option, its window opens.\n"
      << "画面の好きな部分をキャプチャーして拡大します。オプションがなければウィンドウを開きます。"
         "\n\n";
  for (const Option& option : kOptions) {
    if (option.english.empty()) continue;
    const std::string padding(kNameColumn - std::min(option.name.size(), kNameColumn), ' ');
    out << "  " << option.name << padding << option.english << '\n'
        << "  " << std::string(kNameColumn, ' ') << option.japanese << '\n';
  }
}

std::string quoted(std::string_view argument) { return "\"" + std::string(argument) + "\""; }

}  // namespace

Request parse(std::span<const char* const> arguments) {
  if (arguments.empty()) return {};
  const std::string_view first = arguments.front();
  const auto* option = std::ranges::find(kOptions, first, &Option::name);
  if (option != kOptions.end()) return {.action = option->action, .misuse = {}};
  const std::string misuse = first.starts_with('-')
                                 ? std::string(kProgramName) + ": unknown option " + quoted(first) +
                                       " (不明なオプションです)"
                                 : std::string(kProgramName) + ": unexpected argument " +
                                       quoted(first) + " (引数は受け付けません)";
  return {.action = Action::kReportMisuse, .misuse = misuse};
}

std::optional<int> answer(const Request& request, std::ostream& out, std::ostream& err) {
  constexpr int kMisuseStatus = 2;  // as shells and most tools report a wrong command line
  switch (request.action) {
    case Action::kPrintHelp:
      printUsage(out);
      return 0;
    case Action::kPrintVersion:
      out << kProgramName << ' ' << kVersion << '\n';
      return 0;
    case Action::kReportMisuse:
      err << request.misuse << "\n\n";
      printUsage(err);
      return kMisuseStatus;
    case Action::kRunWindow:
      break;
  }
  return std::nullopt;
}

}  // namespace commandline
