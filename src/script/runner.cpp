#include "script/runner.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "engine/screen_manager.h"
#include "engine/services.h"

namespace quillon::script {

using namespace engine;

namespace {

class ScriptDocumentOpener : public DocumentOpener {
 public:
  explicit ScriptDocumentOpener(std::ostream& out) : out_(out) {}
  void Open(const std::string& target) override { out_ << "open " << target << '\n'; }

 private:
  std::ostream& out_;
};

// A line the runner refuses: the run stops with status 2.
struct ScriptError {
  std::string message;
};

std::string FormatNumber(double value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string FormatBool(bool value) {
  return value ? "True" : "False";
}

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
    if (line[at] == '\0') throw ScriptError{"NUL byte at byte " + std::to_string(at + 1)};
    const std::optional<Character> character = DecodeCharacter(line, at);
    if (!character) throw ScriptError{"invalid UTF-8 at byte " + std::to_string(at + 1)};
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

// The keys a player can press into a text box: Backspace, Enter, Escape and the characters.
bool IsKeyCode(std::int64_t code) {
  return code == kBackspaceKey || code == kEnterKey || code == kEscapeKey ||
         IsTypeableCharacter(code);
}

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

// An item of print and expect: SCREEN.PROPERTY or SCREEN.CONTROL.PROPERTY.
struct Item {
  std::string screen;
  std::string control;  // empty for a property of the screen
  std::string property;
};

// Understands the lines of a script, checking every name against the game's screens.
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
        throw ScriptError{"print takes one ITEM, not " + Quote(rest)};
      }
      ParseItem(rest);
      parsed.item = rest;
    } else if (command == "expect") {
      parsed.kind = ScriptCommand::Kind::Expect;
      const size_t gap = rest.find(' ');
      parsed.item = rest.substr(0, gap);
      parsed.value = gap == std::string::npos ? "" : rest.substr(gap + 1);
      ParseItem(parsed.item);
    } else if (command == "screens") {
      parsed.kind = ScriptCommand::Kind::Screens;
      RequireNothingAfter(command, rest);
    } else if (command == "focus") {
      parsed.kind = ScriptCommand::Kind::Focus;
      RequireNothingAfter(command, rest);
    } else {
      throw ScriptError{"unknown command " + Quote(command)};
    }
    return parsed;
  }

  // SCREEN.PROPERTY or SCREEN.CONTROL.PROPERTY, every part known.
  Item ParseItem(const std::string& item) const {
    std::vector<std::string> parts;
    std::istringstream in(item);
    for (std::string part; std::getline(in, part, '.');) parts.push_back(part);
    if (parts.size() == 2) {
      RequireScreen(parts[0]);
      if (parts[1] != "Visible" && parts[1] != "Loaded" && parts[1] != "Enabled") {
        throw ScriptError{"unknown property " + Quote(parts[1])};
      }
      return Item{parts[0], "", parts[1]};
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
      if (!known) throw ScriptError{"unknown property " + Quote(property) + " of " + parts[1]};
      return Item{parts[0], parts[1], property};
    }
    throw ScriptError{"unknown item " + Quote(item)};
  }

 private:
  static void RequireNothingAfter(const std::string& command, const std::string& rest) {
    if (!rest.empty()) throw ScriptError{command + " takes nothing after it, not " + Quote(rest)};
  }

  const ScreenDesign& RequireScreen(const std::string& screen) const {
    const ScreenDesign* design = screens_.Find(screen);
    if (!design) throw ScriptError{"unknown screen " + Quote(screen)};
    return *design;
  }

  const ControlDesign& RequireControl(const std::string& screen, const std::string& control) const {
    const ControlDesign* design = RequireScreen(screen).Find(control);
    if (!design) throw ScriptError{"unknown control " + Quote(screen + "." + control)};
    return *design;
  }

  void ParseClick(const std::string& arguments, ScriptCommand& parsed) const {
    std::istringstream words(arguments);
    std::string extra;
    words >> parsed.screen >> parsed.control;
    if (parsed.control.empty() || (words >> extra)) {
      throw ScriptError{"click takes SCREEN CONTROL"};
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
      throw ScriptError{"type cannot press control character " +
                        std::to_string(static_cast<unsigned char>(*control)) +
                        "; Backspace, Enter and Escape are key 8, 13 and 27"};
    }
    std::vector<int> keys;
    for (size_t at = 0; at < text.size();) {
      const Character character = *DecodeCharacter(text, at);
      keys.push_back(static_cast<int>(character.code));
      at += character.bytes;
    }
    return keys;
  }

  static int ParseKey(std::string_view code) {
    const std::optional<std::int64_t> number = ParseWholeNumber(code, 0x10FFFF);
    if (!number || !IsKeyCode(*number)) {
      throw ScriptError{"bad key code " + Quote(code) +
                        ": a key is 8 (Backspace), 13 (Enter), 27 (Escape) or a character "
                        "from 32 to 1114111, not 127 nor 55296 to 57343"};
    }
    return static_cast<int>(*number);
  }

  static std::int64_t ParseWait(std::string_view time) {
    const std::optional<std::int64_t> ms = ParseWholeNumber(time, kMaxWaitMs);
    if (!ms) {
      throw ScriptError{"bad time " + Quote(time) + ": a wait is a whole number of ms from 0 to " +
                        std::to_string(kMaxWaitMs)};
    }
    return *ms;
  }

  const ScreenRegistry& screens_;
};

}  // namespace

ScriptLine ParseScriptLine(const ScreenRegistry& screens, std::string line, std::int64_t number) {
  ScriptLine parsed;
  parsed.number = number;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  try {
    CheckText(line);
    if (IsCommand(line)) parsed.command = Parser(screens).Parse(line);
  } catch (const ScriptError& error) {
    parsed.refusal = error.message;
  }
  return parsed;
}

ScriptReader::ScriptReader(const ScreenRegistry& screens, std::istream& script)
    : screens_(screens), script_(script) {}

std::optional<ScriptLine> ScriptReader::Next() {
  const LineRead read = ReadLine(*script_.rdbuf(), line_, false);
  if (read == LineRead::kEnd) return std::nullopt;
  ++number_;
  if (read == LineRead::kTooLong) {
    ScriptLine refused;
    refused.number = number_;
    refused.refusal = "longer than " + std::to_string(kMaxLineBytes) + " bytes";
    return refused;
  }
  return ParseScriptLine(screens_, std::move(line_), number_);
}

std::int64_t ScriptReader::CountCommandsLeft() {
  std::int64_t count = 0;
  while (ReadLine(*script_.rdbuf(), line_, true) != LineRead::kEnd) {
    if (IsCommand(line_)) ++count;
  }
  return count;
}

namespace {

// Sounds are checked as the window would check them, but not played; a replay in the window
// also plays them.
class ScriptSoundPlayer : public SoundPlayer {
 public:
  ScriptSoundPlayer(std::filesystem::path folder, std::ostream& out, SoundPlayer* audible)
      : folder_(std::move(folder)), out_(out), audible_(audible) {}
  bool Play(const std::string& path) override {
    if (!IsPlayableWave(SoundFile(folder_, path))) return false;
    out_ << "sound " << path << '\n';
    if (audible_) audible_->Play(path);
    return true;
  }

 private:
  std::filesystem::path folder_;
  std::ostream& out_;
  SoundPlayer* audible_;
};

}  // namespace

class ScriptRunner::Session {
 public:
  Session(const ScreenRegistry& screens, std::ostream& out, std::ostream& err,
          const std::filesystem::path& soundFolder, SoundPlayer* audible)
      : screens_(screens),
        out_(out),
        err_(err),
        sound_(soundFolder, out, audible),
        documents_(out),
        manager_(screens, Services{&sound_, &documents_, &dates_, &clock_}) {
    manager_.SetEndListener([this] { out_ << "ended\n"; });
  }

  ScreenManager& Manager() { return manager_; }
  const ScreenRegistry& Screens() const { return screens_; }
  int Status() const { return status_; }

  bool RunLine(const ScriptLine& line) {
    if (manager_.Ended() || status_ == 2) return false;
    try {
      if (!line.refusal.empty()) throw ScriptError{line.refusal};
      Execute(line.command, line.number);
    } catch (const ScriptError& error) {
      Refuse(line.number, error.message);
      return false;
    }
    return !manager_.Ended();
  }

  bool BeginWait(const ScriptLine& line) {
    if (manager_.Ended() || status_ == 2) return false;
    try {
      if (!line.refusal.empty()) throw ScriptError{line.refusal};
      CheckClockLimit(line.command.ms);
    } catch (const ScriptError& error) {
      Refuse(line.number, error.message);
      return false;
    }
    return true;
  }

  void Advance(std::int64_t ms) { AdvanceVirtualTime(manager_, clock_, ms); }

  // What follows the end is not run; a script that goes on past it is told so.
  void ReportLinesAfterTheEnd(ScriptReader& rest) {
    if (!manager_.Ended()) return;
    const std::int64_t count = rest.CountCommandsLeft();
    if (count == 0) return;
    out_.flush();
    err_ << count
         << (count == 1 ? " line after the end was not run\n"
                        : " lines after the end were not run\n");
  }

 private:
  void Refuse(std::int64_t number, const std::string& message) {
    out_.flush();
    err_ << "line " << number << ": " << message << '\n';
    status_ = 2;
  }

  void Execute(const ScriptCommand& command, std::int64_t number) {
    switch (command.kind) {
      case ScriptCommand::Kind::Nothing:
        break;
      case ScriptCommand::Kind::Click:
        if (!manager_.Click(command.screen, command.control)) {
          err_ << "note: click on " << command.screen << '.' << command.control << " did nothing\n";
        }
        break;
      case ScriptCommand::Kind::Type:
      case ScriptCommand::Kind::Key:
        for (size_t k = 0; k < command.keys.size() && !manager_.Ended(); ++k) {
          manager_.TypeKey(command.keys[k]);
        }
        break;
      case ScriptCommand::Kind::Wait:
        CheckClockLimit(command.ms);
        Advance(command.ms);
        break;
      case ScriptCommand::Kind::Print:
        out_ << command.item << '=' << Inspect(command.item) << '\n';
        break;
      case ScriptCommand::Kind::Expect:
        Expect(command.item, command.value, number);
        break;
      case ScriptCommand::Kind::Screens:
        out_ << "screens:";
        for (const std::string& screen : manager_.VisibleFrontToBack()) out_ << ' ' << screen;
        out_ << '\n';
        break;
      case ScriptCommand::Kind::Focus: {
        const std::string control = manager_.FocusedControl();
        out_ << "focus=" << (control.empty() ? "" : manager_.ActiveScreen() + "." + control)
             << '\n';
        break;
      }
    }
  }

  void CheckClockLimit(std::int64_t ms) const {
    if (ms > kVirtualTimeLimitMs - clock_.NowMs()) {
      throw ScriptError{"the game clock cannot pass " + std::to_string(kVirtualTimeLimitMs) +
                        " ms"};
    }
  }

  void Expect(const std::string& item, const std::string& expected, std::int64_t number) {
    const std::string actual = Inspect(item);
    if (actual != expected) {
      out_ << "FAIL line " << number << ": " << item << '=' << actual << ", expected " << expected
           << '\n';
      status_ = 1;
    }
  }

  // The value of SCREEN.PROPERTY or SCREEN.CONTROL.PROPERTY, without loading anything.
  std::string Inspect(const std::string& text) const {
    const Item item = Parser(screens_).ParseItem(text);
    const ScreenState* state = manager_.Peek(item.screen);
    if (item.control.empty()) {
      if (item.property == "Visible") return FormatBool(state && state->visible);
      if (item.property == "Loaded") return FormatBool(state != nullptr);
      return state ? FormatBool(state->enabled) : "<not loaded>";
    }
    if (!state) return "<not loaded>";
    const ControlState& c = *state->Find(item.control);
    if (item.property == "Visible") return FormatBool(c.visible);
    if (item.property == "Enabled") return FormatBool(c.enabled);
    if (item.property == "Value") return FormatNumber(c.value);
    return c.text;
  }

  const ScreenRegistry& screens_;
  std::ostream& out_;
  std::ostream& err_;
  ScriptSoundPlayer sound_;
  ScriptDocumentOpener documents_;
  LocaleDateFormatter dates_;
  VirtualClock clock_;
  ScreenManager manager_;
  int status_ = 0;  // 1 once an expect failed, 2 for a line not understood
};

ScriptRunner::ScriptRunner(const ScreenRegistry& screens, std::ostream& out, std::ostream& err,
                           const std::filesystem::path& soundFolder, SoundPlayer* audible)
    : session_(std::make_unique<Session>(screens, out, err, soundFolder, audible)) {}

ScriptRunner::~ScriptRunner() = default;

void ScriptRunner::Start() {
  session_->Manager().Start(game::kFirstScreen);
}

bool ScriptRunner::RunLine(const std::string& line, std::int64_t number) {
  return session_->RunLine(ParseScriptLine(session_->Screens(), line, number));
}

bool ScriptRunner::RunLine(const ScriptLine& line) {
  return session_->RunLine(line);
}

int ScriptRunner::Status() const {
  return session_->Status();
}

ScreenManager& ScriptRunner::Manager() {
  return session_->Manager();
}

bool ScriptRunner::BeginWait(const ScriptLine& line) {
  return session_->BeginWait(line);
}

void ScriptRunner::Advance(std::int64_t ms) {
  session_->Advance(ms);
}

void ScriptRunner::ReportLinesAfterTheEnd(ScriptReader& rest) {
  session_->ReportLinesAfterTheEnd(rest);
}

int ScriptRunner::Run(std::istream& script) {
  Start();
  ScriptReader reader(session_->Screens(), script);
  while (const std::optional<ScriptLine> line = reader.Next()) {
    if (!RunLine(*line)) break;
  }
  ReportLinesAfterTheEnd(reader);
  return Status();
}

int RunScript(const ScreenRegistry& screens, std::istream& script, std::ostream& out,
              std::ostream& err, const std::filesystem::path& soundFolder) {
  return ScriptRunner(screens, out, err, soundFolder).Run(script);
}

}  // namespace quillon::script
