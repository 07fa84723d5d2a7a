#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ostream>

#include "platform/keys/utf8.h"

namespace commandline {
namespace {

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

bool isOption(std::string_view argument) {
  return std::ranges::find(kOptions, argument, &Option::name) != kOptions.end();
}

// An unknown option, or any other argument (an option after the one that decides included).
Request misuseOf(std::string_view argument) {
  const std::string misuse = argument.starts_with('-') && !isOption(argument)
                                 ? std::string(kProgramName) + ": unknown option " +
                                       quoted(argument) + " (不明なオプションです)"
                                 : std::string(kProgramName) + ": unexpected argument " +
                                       quoted(argument) + " (引数は受け付けません)";
  return {.action = Action::kReportMisuse, .misuse = misuse};
}

// A character that the shell's $'...' form spells out: controls (C0, DEL, C1) and the quote
// and backslash of the form itself.
bool needsEscape(char32_t character) {
  return character < 0x20 || (character >= 0x7F && character <= 0x9F) || character == '\'' ||
         character == '\\';
}

std::string escaped(char32_t character) {
  switch (character) {
    case '\x1B':
      return "\\e";
    case '\n':
      return "\\n";
    case '\t':
      return "\\t";
    case '\r':
      return "\\r";
    case '\'':
      return "\\'";
    case '\\':
      return "\\\\";
    default:
      break;
  }
  char text[12];
  std::snprintf(text, sizeof text, character < 0x80 ? "\\x%02X" : "\\u%04X",
                static_cast<unsigned>(character));
  return text;
}

}  // namespace

std::string quoted(std::string_view argument) {
  std::string plain;
  std::string spelled;  // the $'...' form's inside
  bool needsForm = false;
  for (std::string_view rest = argument; !rest.empty();) {
    const auto character = keys::firstUtf8Character(rest);
    if (!character) {  // a byte that is no UTF-8: as itself it could be part of anything
      char text[8];
      std::snprintf(text, sizeof text, "\\x%02X", static_cast<unsigned char>(rest.front()));
      spelled += text;
      needsForm = true;
      rest.remove_prefix(1);
      continue;
    }
    const std::string_view bytes = rest.substr(0, character->length);
    rest.remove_prefix(character->length);
    const bool escape = needsEscape(character->codePoint);
    needsForm =
        needsForm || (escape && character->codePoint != '\'' && character->codePoint != '\\');
    spelled += escape ? escaped(character->codePoint) : std::string(bytes);
    if (character->codePoint == '"' || character->codePoint == '\\') plain += '\\';
    plain += bytes;
  }
  return needsForm ? "$'" + spelled + "'" : "\"" + plain + "\"";
}

Request parse(std::span<const char* const> arguments) {
  if (arguments.empty()) return {};
  const std::string_view first = arguments.front();
  const auto* option = std::ranges::find(kOptions, first, &Option::name);
  if (option == kOptions.end()) return misuseOf(first);
  // An option takes nothing after it: "--version --bogus" is as wrong as "--bogus".
  if (arguments.size() > 1) return misuseOf(arguments[1]);
  return {.action = option->action, .misuse = {}};
}

std::optional<int> answer(const Request& request, std::ostream& out, std::ostream& err) {
  constexpr int kMisuseStatus = 2;  // as shells and most tools report a wrong command line
  switch (request.action) {
    case Action::kPrintHelp:
      printUsage(out);
      break;
    case Action::kPrintVersion:
      out << kProgramName << ' ' << kVersion << '\n';
      break;
    case Action::kReportMisuse:
      err << request.misuse << "\n\n";
      printUsage(err);
      err.flush();
      return kMisuseStatus;
    case Action::kRunWindow:
      return std::nullopt;
  }
  if (out.flush()) return 0;
  err << unwrittenAnswer();
  err.flush();
  return kUnwrittenStatus;
}

std::string unwrittenAnswer() {
  return std::string(kProgramName) + ": 出力を書き込めません (cannot write the output)\n";
}

bool localeIsJapanese(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* setting : {lcAll, lcMessages, lang}) {
    if (setting != nullptr && *setting != '\0') return std::string_view(setting).starts_with("ja");
  }
  return false;  // the C locale
}

std::string startFailure(std::string_view japaneseReason, std::string_view englishReason,
                         bool japaneseReader) {
  std::string text =
      std::string(kProgramName) + ": 起動できません: " + std::string(japaneseReason) + "\n";
  if (!japaneseReader) {
    text += std::string(kProgramName) + ": cannot start: " + std::string(englishReason) + "\n";
  }
  return text;
}

}  // namespace commandline
