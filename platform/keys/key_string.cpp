#include "platform/keys/key_string.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "platform/forms/runtime_error.h"
#include "platform/keys/utf8.h"

namespace keys {
namespace {

constexpr std::string_view kKeyNames[] = {
    "BACKSPACE", "BREAK",      "CAPSLOCK", "DELETE", "DOWN",    "END",      "ENTER",    "ESC",
    "HELP",      "HOME",       "INSERT",   "LEFT",   "NUMLOCK", "PGDN",     "PGUP",     "PRTSC",
    "RIGHT",     "SCROLLLOCK", "TAB",      "UP",     "ADD",     "SUBTRACT", "MULTIPLY", "DIVIDE",
    "F1",        "F2",         "F3",       "F4",     "F5",      "F6",       "F7",       "F8",
    "F9",        "F10",        "F11",      "F12",    "F13",     "F14",      "F15",      "F16"};

struct Alias {
  std::string_view alias;
  std::string_view name;
};
constexpr Alias kAliases[] = {
    {"BS", "BACKSPACE"}, {"BKSP", "BACKSPACE"}, {"DEL", "DELETE"}, {"INS", "INSERT"}};

// A slip such as {TAB 100000} would otherwise keep the user-interface thread typing for minutes.
constexpr int kMostRepeats = 1000;

std::optional<Modifier> modifierFor(char c) {
  switch (c) {
    case '+':
      return Modifier::Shift;
    case '^':
      return Modifier::Control;
    case '%':
      return Modifier::Alt;
    default:
      return std::nullopt;
  }
}

std::string upperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

bool isOneCharacter(std::string_view text) {
  const auto character = firstUtf8Character(text);
  return character && character->length == text.size();
}

class Parser {
 public:
  explicit Parser(std::string_view keys) : keys_(keys) {}

  std::vector<KeyStroke> parse() {
    parseSequence({});
    if (!atEnd()) fail("対応する「(」のない「)」があります");
    return std::move(strokes_);
  }

 private:
  bool atEnd() const { return position_ >= keys_.size(); }
  char peek() const { return keys_[position_]; }

  [[noreturn]] void fail(const std::string& reason) const {
    throw forms::RuntimeError::invalidKeyString(std::string(keys_), reason);
  }

  // Reads keys up to the end, or up to a ')' that the caller deals with.
  void parseSequence(const std::vector<Modifier>& held) {
    while (!atEnd() && peek() != ')') parseItem(held);
  }

  void parseItem(std::vector<Modifier> held) {
    char lastModifier = 0;
    while (!atEnd()) {
      const auto modifier = modifierFor(peek());
      if (!modifier) break;
      if (std::find(held.begin(), held.end(), *modifier) == held.end()) held.push_back(*modifier);
      lastModifier = peek();
      ++position_;
    }
    if (atEnd() || peek() == ')')
      fail(std::string("「") + lastModifier + "」の後にキーがありません");
    switch (peek()) {
      case '(':
        return parseGroup(held);
      case '{':
        return parseBraces(held);
      case '}':
        fail("対応する「{」のない「}」があります");
      case '~':
        ++position_;
        return add(held, "ENTER", 1);
      default:
        return parseCharacter(held);
    }
  }

  void parseGroup(const std::vector<Modifier>& held) {
    ++position_;
    if (!atEnd() && peek() == ')') fail("「()」の中にキーがありません");
    parseSequence(held);
    if (atEnd()) fail("「(」が閉じていません");
    ++position_;
  }

  void parseBraces(const std::vector<Modifier>& held) {
    std::string_view inside;
    // "{}}" is the closing brace itself, the one place where '}' may stand inside braces.
    if (keys_.substr(position_ + 1, 2) == "}}") {
      inside = "}";
      position_ += 3;
    } else {
      const std::size_t close = keys_.find('}', position_ + 1);
      if (close == std::string_view::npos) fail("「{」が閉じていません");
      inside = keys_.substr(position_ + 1, close - position_ - 1);
      position_ = close + 1;
    }
    if (inside.empty()) fail("「{}」の中にキー名がありません");
    if (isOneCharacter(inside)) return add(held, std::string(inside), 1);

    const std::size_t space = inside.rfind(' ');
    if (space == std::string_view::npos) return add(held, keyNamed(inside), 1);
    add(held, keyNamed(inside.substr(0, space)), repeatCount(inside.substr(space + 1)));
  }

  // A key name in any case, or a single character ("{a 3}", "{+ 2}").
  std::string keyNamed(std::string_view name) const {
    if (isOneCharacter(name)) return std::string(name);
    std::string upper = upperCase(name);
    for (const Alias& alias : kAliases) {
      if (alias.alias == upper) return std::string(alias.name);
    }
    if (std::find(std::begin(kKeyNames), std::end(kKeyNames), upper) == std::end(kKeyNames)) {
      fail("「" + std::string(name) + "」というキー名はありません");
    }
    return upper;
  }

  int repeatCount(std::string_view text) const {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.empty() || !std::all_of(text.begin(), text.end(), isDigit)) {
      fail("繰り返し回数「" + std::string(text) + "」が数ではありません");
    }
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc{} || count > kMostRepeats) {
      fail("繰り返し回数は " + std::to_string(kMostRepeats) + " までです");
    }
    return count;
  }

  void parseCharacter(const std::vector<Modifier>& held) {
    const auto character = firstUtf8Character(keys_.substr(position_));
    if (!character) fail("UTF-8 として読めない文字があります");
    add(held, std::string(keys_.substr(position_, character->length)), 1);
    position_ += character->length;
  }

  void add(const std::vector<Modifier>& held, const std::string& key, int count) {
    for (int i = 0; i < count; ++i) strokes_.push_back({held, key});
  }

  std::string_view keys_;
  std::size_t position_ = 0;
  std::vector<KeyStroke> strokes_;
};

}  // namespace

std::vector<KeyStroke> parseKeyString(std::string_view keys) { return Parser(keys).parse(); }

std::span<const std::string_view> keyNames() { return kKeyNames; }

}  // namespace keys
