#include "app/script_runner.h"

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

#include "app/game.h"
#include "engine/screen_manager.h"
#include "engine/services.h"

namespace quillon {

using namespace engine;

namespace {

// Sounds are checked as the window would check them, but not played.
class ScriptSoundPlayer : public SoundPlayer {
 public:
  ScriptSoundPlayer(std::filesystem::path folder, std::ostream& out)
      : folder_(std::move(folder)), out_(out) {}
  bool Play(const std::string& path) override {
    if (!IsPlayableWave(SoundFile(folder_, path))) return false;
    out_ << "sound " << path << '\n';
    return true;
  }

 private:
  std::filesystem::path folder_;
  std::ostream& out_;
};

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

bool IsControlCharacter(char32_t code) {
  return code < 32 || code == 127;
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

// The keys a player can press into a text box: Backspace, Enter, Escape and the characters;
// `code` is at most U+10FFFF.
bool IsKeyCode(std::int64_t code) {
  constexpr std::int64_t kBackspace = 8, kEnter = 13, kEscape = 27;
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code == kBackspace || code == kEnter || code == kEscape ||
         (!IsControlCharacter(static_cast<char32_t>(code)) && !surrogate);
}

enum class LineRead { kLine, kTooLong, kEnd };

// The next line, without its "\n" but with the "\r" of a "\r\n" line end. A line longer
// than kMaxLineBytes is read to its end but only its start is kept, so memory stays bounded.
LineRead ReadLine(std::streambuf& script, std::string& line) {
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

}  // namespace

class ScriptRunner::Session {
 public:
  Session(const ScreenRegistry& screens, std::ostream& out, std::ostream& err,
          const std::filesystem::path& soundFolder)
      : screens_(screens),
        out_(out),
        err_(err),
        sound_(soundFolder, out),
        documents_(out),
        manager_(screens, Services{&sound_, &documents_, &dates_, &clock_}) {
    manager_.SetEndListener([this] { out_ << "ended\n"; });
  }

  ScreenManager& Manager() { return manager_; }
  int Status() const { return status_; }

  int Run(std::istream& script) {
    std::streambuf& lines = *script.rdbuf();
    std::string line;
    std::int64_t number = 0;
    while (true) {
      const LineRead read = ReadLine(lines, line);
      if (read == LineRead::kEnd) break;
      ++number;
      if (read == LineRead::kTooLong) {
        Refuse(number, "longer than " + std::to_string(kMaxLineBytes) + " bytes");
        return status_;
      }
      if (!RunLine(line, number)) break;
    }
    if (manager_.Ended()) CountLinesAfterTheEnd(lines, line);
    return status_;
  }

  bool RunLine(std::string line, std::int64_t number) {
    if (manager_.Ended() || status_ == 2) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    try {
      CheckText(line);
      if (IsCommand(line)) Execute(line, number);
    } catch (const ScriptError& error) {
      Refuse(number, error.message);
      return false;
    }
    return !manager_.Ended();
  }

 private:
  void Refuse(std::int64_t number, const std::string& message) {
    out_.flush();
    err_ << "line " << number << ": " << message << '\n';
    status_ = 2;
  }

  // What follows the end is not run; a script that goes on past it is told so.
  void CountLinesAfterTheEnd(std::streambuf& lines, std::string& line) {
    std::int64_t count = 0;
    while (ReadLine(lines, line) != LineRead::kEnd) {
      if (IsCommand(line)) ++count;
    }
    if (count == 0) return;
    out_.flush();
    err_ << count
         << (count == 1 ? " line after the end was not run\n"
                        : " lines after the end were not run\n");
  }

  void Execute(const std::string& line, std::int64_t number) {
    const size_t space = line.find(' ');
    const std::string command = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);

    if (command == "click") {
      Click(rest);
    } else if (command == "type") {
      Type(rest);
    } else if (command == "key") {
      Key(rest);
    } else if (command == "wait") {
      Wait(rest);
    } else if (command == "print") {
      Print(rest);
    } else if (command == "expect") {
      Expect(rest, number);
    } else if (command == "screens") {
      RequireNothingAfter(command, rest);
      out_ << "screens:";
      for (const std::string& screen : manager_.VisibleFrontToBack()) out_ << ' ' << screen;
      out_ << '\n';
    } else if (command == "focus") {
      RequireNothingAfter(command, rest);
      const std::string control = manager_.FocusedControl();
      out_ << "focus=" << (control.empty() ? "" : manager_.ActiveScreen() + "." + control) << '\n';
    } else {
      throw ScriptError{"unknown command " + Quote(command)};
    }
  }

  void Print(const std::string& item) {
    if (item.find(' ') != std::string::npos) {
      throw ScriptError{"print takes one ITEM, not " + Quote(item)};
    }
    const std::string value = Inspect(item);
    out_ << item << '=' << value << '\n';
  }

  static void RequireNothingAfter(const std::string& command, const std::string& rest) {
    if (!rest.empty()) throw ScriptError{command + " takes nothing after it, not " + Quote(rest)};
  }

  // The window lets no control character into a text box; Backspace, Enter and Escape are
  // keys of their own.
  void Type(std::string_view text) {
    const auto control = std::find_if(text.begin(), text.end(), [](char byte) {
      return IsControlCharacter(static_cast<unsigned char>(byte));
    });
    if (control != text.end()) {
      throw ScriptError{"type cannot press control character " +
                        std::to_string(static_cast<unsigned char>(*control)) +
                        "; Backspace, Enter and Escape are key 8, 13 and 27"};
    }
    for (size_t at = 0; at < text.size() && !manager_.Ended();) {
      const Character character = *DecodeCharacter(text, at);
      manager_.TypeKey(static_cast<int>(character.code));
      at += character.bytes;
    }
  }

  void Key(std::string_view code) {
    const std::optional<std::int64_t> number = ParseWholeNumber(code, 0x10FFFF);
    if (!number || !IsKeyCode(*number)) {
      throw ScriptError{"bad key code " + Quote(code) +
                        ": a key is 8 (Backspace), 13 (Enter), 27 (Escape) or a character "
                        "from 32 to 1114111, not 127 nor 55296 to 57343"};
    }
    manager_.TypeKey(static_cast<int>(*number));
  }

  void Wait(std::string_view time) {
    const std::optional<std::int64_t> ms = ParseWholeNumber(time, kMaxWaitMs);
    if (!ms) {
      throw ScriptError{"bad time " + Quote(time) + ": a wait is a whole number of ms from 0 to " +
                        std::to_string(kMaxWaitMs)};
    }
    if (*ms > kVirtualTimeLimitMs - clock_.NowMs()) {
      throw ScriptError{"the game clock cannot pass " + std::to_string(kVirtualTimeLimitMs) +
                        " ms"};
    }
    AdvanceVirtualTime(manager_, clock_, *ms);
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

  void Click(const std::string& arguments) {
    std::istringstream words(arguments);
    std::string screen, control, extra;
    words >> screen >> control;
    if (control.empty() || (words >> extra)) throw ScriptError{"click takes SCREEN CONTROL"};
    RequireControl(screen, control);
    if (!manager_.Click(screen, control)) {
      err_ << "note: click on " << screen << '.' << control << " did nothing\n";
    }
  }

  void Expect(const std::string& arguments, std::int64_t number) {
    const size_t space = arguments.find(' ');
    const std::string item = arguments.substr(0, space);
    const std::string expected = space == std::string::npos ? "" : arguments.substr(space + 1);
    const std::string actual = Inspect(item);
    if (actual != expected) {
      out_ << "FAIL line " << number << ": " << item << '=' << actual << ", expected " << expected
           << '\n';
      status_ = 1;
    }
  }

  // The value of SCREEN.PROPERTY or SCREEN.CONTROL.PROPERTY, without loading anything.
  std::string Inspect(const std::string& item) const {
    std::vector<std::string> parts;
    std::istringstream in(item);
    for (std::string part; std::getline(in, part, '.');) parts.push_back(part);
    if (parts.size() == 2) return InspectScreen(parts[0], parts[1]);
    if (parts.size() == 3) return InspectControl(parts[0], parts[1], parts[2]);
    throw ScriptError{"unknown item " + Quote(item)};
  }

  std::string InspectScreen(const std::string& screen, const std::string& property) const {
    RequireScreen(screen);
    const ScreenState* state = manager_.Peek(screen);
    if (property == "Visible") return FormatBool(state && state->visible);
    if (property == "Loaded") return FormatBool(state != nullptr);
    if (property == "Enabled") return state ? FormatBool(state->enabled) : "<not loaded>";
    throw ScriptError{"unknown property " + Quote(property)};
  }

  std::string InspectControl(const std::string& screen, const std::string& control,
                             const std::string& property) const {
    const ControlKind kind = RequireControl(screen, control).kind;
    const bool hasCaption = kind == ControlKind::Label || kind == ControlKind::CommandButton ||
                            kind == ControlKind::Frame || kind == ControlKind::CheckBox;
    const bool hasValue = kind == ControlKind::CheckBox || kind == ControlKind::ProgressBar;
    const bool known =
        property == "Visible" || property == "Enabled" || (property == "Caption" && hasCaption) ||
        (property == "Text" && kind == ControlKind::TextBox) || (property == "Value" && hasValue);
    if (!known) throw ScriptError{"unknown property " + Quote(property) + " of " + control};

    const ScreenState* state = manager_.Peek(screen);
    if (!state) return "<not loaded>";
    const ControlState& c = *state->Find(control);
    if (property == "Visible") return FormatBool(c.visible);
    if (property == "Enabled") return FormatBool(c.enabled);
    if (property == "Value") return FormatNumber(c.value);
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
                           const std::filesystem::path& soundFolder)
    : session_(std::make_unique<Session>(screens, out, err, soundFolder)) {}

ScriptRunner::~ScriptRunner() = default;

void ScriptRunner::Start() {
  session_->Manager().Start(kFirstScreen);
}

bool ScriptRunner::RunLine(const std::string& line, std::int64_t number) {
  return session_->RunLine(line, number);
}

int ScriptRunner::Status() const {
  return session_->Status();
}

ScreenManager& ScriptRunner::Manager() {
  return session_->Manager();
}

int ScriptRunner::Run(std::istream& script) {
  Start();
  return session_->Run(script);
}

int RunScript(const ScreenRegistry& screens, std::istream& script, std::ostream& out,
              std::ostream& err, const std::filesystem::path& soundFolder) {
  return ScriptRunner(screens, out, err, soundFolder).Run(script);
}

}  // namespace quillon
