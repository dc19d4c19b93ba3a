#include "script/codec.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <sstream>
#include <streambuf>

#include "engine/screen_manager.h"

namespace quillon::script {

using namespace engine;

namespace {

// A line the reader refuses, and why.
struct LineRefused {
  std::string message;
};

// A piece of the script for a message: quoted, and cut short when it is long.
std::string Quote(std::string_view text) {
  constexpr size_t kShown = 40;
  if (text.size() <= kShown) return "'" + std::string(text) + "'";
  size_t end = kShown;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return "'" + std::string(text.substr(0, end)) + "...'";
}

struct Character {
  char32_t code = 0;
  size_t bytes = 0;
};

// The character that starts at `text[at]`; nothing when the bytes there are not well-formed
// UTF-8: a stray or truncated sequence, an overlong form, a surrogate or a code past U+10FFFF.
std::optional<Character> DecodeCharacter(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return Character{lead, 1};
  size_t bytes = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    bytes = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    bytes = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    bytes = 4;
  } else {
    return std::nullopt;
  }
  constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};  // by length: no overlong forms
  char32_t code = lead & (0x7Fu >> bytes);
  if (text.size() - at < bytes) return std::nullopt;
  for (size_t k = 1; k < bytes; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (next & 0x3Fu);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < kSmallest[bytes] || code > 0x10FFFF || surrogate) return std::nullopt;
  return Character{code, bytes};
}

// Every script line is text: UTF-8 without NUL bytes.
void CheckText(std::string_view line) {
  for (size_t at = 0; at < line.size();) {
    if (line[at] == '\0') throw LineRefused{"NUL byte at byte " + std::to_string(at + 1)};
    const std::optional<Character> character = DecodeCharacter(line, at);
    if (!character) throw LineRefused{"invalid UTF-8 at byte " + std::to_string(at + 1)};
    at += character->bytes;
  }
}

// A whole decimal number from 0 to `largest`; nothing for signs, spaces, junk or a number
// that does not fit.
std::optional<std::int64_t> ParseWholeNumber(std::string_view text, std::int64_t largest) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  std::int64_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  if (value > largest) return std::nullopt;
  return value;
}

// The byte-order mark in UTF-8: U+FEFF, which says nothing about the order of bytes there.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

enum class LineRead { kLine, kTooLong, kEnd };

// The next line, without its "\n" but with the "\r" of a "\r\n" line end. A line longer than
// kMaxLineBytes is known to be too long once the byte after its "\r" comes; from there it is
// read to its end only when `toItsEnd`, and only its start is kept, so memory stays bounded and
// an endless line (a device that never ends) is refused rather than read for ever.
LineRead ReadLine(std::streambuf& script, std::string& line, bool toItsEnd) {
  line.clear();
  bool tooLong = false;
  while (true) {
    const int byte = script.sbumpc();
    if (byte == std::streambuf::traits_type::eof()) {
      if (line.empty()) return LineRead::kEnd;
      break;
    }
    if (byte == '\n') break;
    if (line.size() <= kMaxLineBytes) {
      line.push_back(static_cast<char>(byte));
    } else if (!toItsEnd) {
      return LineRead::kTooLong;
    } else {
      tooLong = true;
    }
  }
  // One byte over the bound is still allowed when it is the "\r" of the line end.
  if (line.size() > kMaxLineBytes && line.back() != '\r') tooLong = true;
  return tooLong ? LineRead::kTooLong : LineRead::kLine;
}

// Blank lines and comments are skipped; every other line is a command.
bool IsCommand(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return !line.empty() && line.front() != '#';
}

std::vector<std::string> ItemParts(const std::string& item) {
  std::vector<std::string> parts;
  std::istringstream in(item);
  for (std::string part; std::getline(in, part, '.');) parts.push_back(part);
  return parts;
}

// Understands the command lines of a script, checking every name against the game's screens.
class Parser {
 public:
  explicit Parser(const ScreenRegistry& screens) : screens_(screens) {}

  ScriptCommand Parse(const std::string& line) const {
    const size_t space = line.find(' ');
    const std::string command = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);

    ScriptCommand parsed;
    if (command == "click") {
      parsed.kind = ScriptCommand::Kind::Click;
      ParseClick(rest, parsed);
    } else if (command == "type") {
      parsed.kind = ScriptCommand::Kind::Type;
      parsed.keys = ParseType(rest);
    } else if (command == "key") {
      parsed.kind = ScriptCommand::Kind::Key;
      parsed.keys = {ParseKey(rest)};
    } else if (command == "wait") {
      parsed.kind = ScriptCommand::Kind::Wait;
      parsed.ms = ParseWait(rest);
    } else if (command == "print") {
      parsed.kind = ScriptCommand::Kind::Print;
      if (rest.find(' ') != std::string::npos) {
        throw LineRefused{"print takes one ITEM, not " + Quote(rest)};
      }
      CheckItem(rest);
      parsed.item = rest;
    } else if (command == "expect") {
      parsed.kind = ScriptCommand::Kind::Expect;
      const size_t gap = rest.find(' ');
      parsed.item = rest.substr(0, gap);
      parsed.value = gap == std::string::npos ? "" : rest.substr(gap + 1);
      CheckItem(parsed.item);
    } else if (command == "screens") {
      parsed.kind = ScriptCommand::Kind::Screens;
      RequireNothingAfter(command, rest);
    } else if (command == "focus") {
      parsed.kind = ScriptCommand::Kind::Focus;
      RequireNothingAfter(command, rest);
    } else {
      throw LineRefused{"unknown command " + Quote(command)};
    }
    return parsed;
  }

 private:
  // SCREEN.PROPERTY or SCREEN.CONTROL.PROPERTY, every part known.
  void CheckItem(const std::string& item) const {
    const std::vector<std::string> parts = ItemParts(item);
    if (parts.size() == 2) {
      RequireScreen(parts[0]);
      if (parts[1] != "Visible" && parts[1] != "Loaded" && parts[1] != "Enabled") {
        throw LineRefused{"unknown property " + Quote(parts[1])};
      }
      return;
    }
    if (parts.size() == 3) {
      const ControlKind kind = RequireControl(parts[0], parts[1]).kind;
      const std::string& property = parts[2];
      const bool hasCaption = kind == ControlKind::Label || kind == ControlKind::CommandButton ||
                              kind == ControlKind::Frame || kind == ControlKind::CheckBox;
      const bool hasValue = kind == ControlKind::CheckBox || kind == ControlKind::ProgressBar;
      const bool known =
          property == "Visible" || property == "Enabled" || (property == "Caption" && hasCaption) ||
          (property == "Text" && kind == ControlKind::TextBox) || (property == "Value" && hasValue);
      if (!known) throw LineRefused{"unknown property " + Quote(property) + " of " + parts[1]};
      return;
    }
    throw LineRefused{"unknown item " + Quote(item)};
  }

  static void RequireNothingAfter(const std::string& command, const std::string& rest) {
    if (!rest.empty()) throw LineRefused{command + " takes nothing after it, not " + Quote(rest)};
  }

  const ScreenDesign& RequireScreen(const std::string& screen) const {
    const ScreenDesign* design = screens_.Find(screen);
    if (!design) throw LineRefused{"unknown screen " + Quote(screen)};
    return *design;
  }

  const ControlDesign& RequireControl(const std::string& screen, const std::string& control) const {
    const ControlDesign* design = RequireScreen(screen).Find(control);
    if (!design) throw LineRefused{"unknown control " + Quote(screen + "." + control)};
    return *design;
  }

  void ParseClick(const std::string& arguments, ScriptCommand& parsed) const {
    std::istringstream words(arguments);
    std::string extra;
    words >> parsed.screen >> parsed.control;
    if (parsed.control.empty() || (words >> extra)) {
      throw LineRefused{"click takes SCREEN CONTROL"};
    }
    RequireControl(parsed.screen, parsed.control);
  }

  // The window lets no control character into a text box; Backspace, Enter and Escape are
  // keys of their own.
  static std::vector<int> ParseType(std::string_view text) {
    const auto control = std::find_if(text.begin(), text.end(), [](char byte) {
      return !IsTypeableCharacter(static_cast<unsigned char>(byte));
    });
    if (control != text.end()) {
      throw LineRefused{"type cannot press control character " +
                        std::to_string(static_cast<unsigned char>(*control)) +
                        "; Backspace, Enter and Escape are key 8, 13 and 27"};
    }
    return *CharacterCodes(text);  // the line is well-formed UTF-8: CheckText saw to it
  }

  static int ParseKey(std::string_view code) {
    const std::optional<std::int64_t> number = ParseWholeNumber(code, 0x10FFFF);
    if (!number || !IsKeyCode(*number)) {
      throw LineRefused{"bad key code " + Quote(code) +
                        ": a key is 8 (Backspace), 13 (Enter), 27 (Escape) or a character "
                        "from 32 to 1114111, not 127 nor 55296 to 57343"};
    }
    return static_cast<int>(*number);
  }

  static std::int64_t ParseWait(std::string_view time) {
    const std::optional<std::int64_t> ms = ParseWholeNumber(time, kMaxWaitMs);
    if (!ms) {
      throw LineRefused{"bad time " + Quote(time) + ": a wait is a whole number of ms from 0 to " +
                        std::to_string(kMaxWaitMs)};
    }
    return *ms;
  }

  const ScreenRegistry& screens_;
};

}  // namespace

ScriptCommand ScriptCommand::Click(std::string screen, std::string control) {
  ScriptCommand command;
  command.kind = Kind::Click;
  command.screen = std::move(screen);
  command.control = std::move(control);
  return command;
}

ScriptCommand ScriptCommand::Type(std::vector<int> keys) {
  ScriptCommand command;
  command.kind = Kind::Type;
  command.keys = std::move(keys);
  return command;
}

ScriptCommand ScriptCommand::Key(int key) {
  ScriptCommand command;
  command.kind = Kind::Key;
  command.keys = {key};
  return command;
}

ScriptCommand ScriptCommand::Wait(std::int64_t ms) {
  ScriptCommand command;
  command.kind = Kind::Wait;
  command.ms = ms;
  return command;
}

ScriptCommand ScriptCommand::Comment(std::string text) {
  ScriptCommand command;
  command.kind = Kind::Comment;
  command.text = std::move(text);
  return command;
}

ScriptLine ParseScriptLine(const ScreenRegistry& screens, std::string line, std::int64_t number) {
  ScriptLine parsed;
  parsed.number = number;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  try {
    CheckText(line);
    if (IsCommand(line)) {
      parsed.command = Parser(screens).Parse(line);
    } else if (!line.empty()) {
      parsed.command = ScriptCommand::Comment(line.substr(1));
    }
  } catch (const LineRefused& refused) {
    parsed.refusal = refused.message;
  }
  return parsed;
}

std::string WriteScriptLine(const ScriptCommand& command) {
  switch (command.kind) {
    case ScriptCommand::Kind::Nothing:
      return "";
    case ScriptCommand::Kind::Comment:
      return "#" + command.text;
    case ScriptCommand::Kind::Click:
      return "click " + command.screen + " " + command.control;
    case ScriptCommand::Kind::Type: {
      std::string line = "type ";
      for (const int key : command.keys) line += Utf8(key);
      return line;
    }
    case ScriptCommand::Kind::Key: {
      std::string line = "key";
      for (const int key : command.keys) line.append(" ").append(std::to_string(key));
      return line;
    }
    case ScriptCommand::Kind::Wait:
      return "wait " + std::to_string(command.ms);
    case ScriptCommand::Kind::Print:
      return "print " + command.item;
    case ScriptCommand::Kind::Expect:
      return "expect " + command.item + " " + command.value;
    case ScriptCommand::Kind::Screens:
      return "screens";
    case ScriptCommand::Kind::Focus:
      return "focus";
  }
  return "";
}

std::optional<std::string> WriteFaithfully(const ScreenRegistry& screens,
                                           const ScriptCommand& command) {
  std::string line = WriteScriptLine(command);
  // Read back as a script of that one line, so a line end inside it shows as a second line.
  std::istringstream script(line + '\n');
  ScriptReader reader(screens, script);
  const std::optional<ScriptLine> read = reader.Next();
  if (!read || !read->refusal.empty() || read->command != command || reader.Next()) {
    return std::nullopt;
  }
  return line;
}

std::optional<std::vector<int>> CharacterCodes(std::string_view text) {
  std::vector<int> codes;
  for (size_t at = 0; at < text.size();) {
    const std::optional<Character> character = DecodeCharacter(text, at);
    if (!character) return std::nullopt;
    codes.push_back(static_cast<int>(character->code));
    at += character->bytes;
  }
  return codes;
}

std::string Printable(std::string_view text) {
  std::string shown;
  for (size_t at = 0; at < text.size();) {
    const std::optional<Character> character = DecodeCharacter(text, at);
    if (character && IsTypeableCharacter(character->code)) {
      shown += text.substr(at, character->bytes);
    } else {
      shown += '?';
    }
    at += character ? character->bytes : 1;
  }
  return shown;
}

ScriptItem SplitItem(const std::string& item) {
  const std::vector<std::string> parts = ItemParts(item);
  if (parts.size() == 2) return ScriptItem{parts[0], "", parts[1]};
  if (parts.size() == 3) return ScriptItem{parts[0], parts[1], parts[2]};
  return ScriptItem{};
}

ScriptReader::ScriptReader(const ScreenRegistry& screens, std::istream& script)
    : screens_(screens), script_(script) {}

std::optional<ScriptLine> ScriptReader::Next() {
  const LineRead read = ReadLine(*script_.rdbuf(), line_, false);
  if (read == LineRead::kEnd) return std::nullopt;
  ++number_;
  if (number_ == 1 && line_.starts_with(kByteOrderMark)) line_.erase(0, kByteOrderMark.size());
  if (read == LineRead::kTooLong) {
    ScriptLine refused;
    refused.number = number_;
    refused.refusal = "longer than " + std::to_string(kMaxLineBytes) + " bytes";
    return refused;
  }
  return ParseScriptLine(screens_, std::move(line_), number_);
}

bool ScriptReader::GoesOn() {
  std::streambuf& script = *script_.rdbuf();
  const LineRead read = ReadLine(script, line_, false);
  if (read == LineRead::kEnd) return false;
  if (read == LineRead::kTooLong || IsCommand(line_)) return true;
  return script.sgetc() != std::streambuf::traits_type::eof();
}

}  // namespace quillon::script
