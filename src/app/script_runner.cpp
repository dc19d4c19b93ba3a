#include "app/script_runner.h"

#include <charconv>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>
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

// A line the runner does not understand: the run stops with status 2.
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

std::vector<int> DecodeUtf8(const std::string& text) {
  std::vector<int> codes;
  for (size_t i = 0; i < text.size();) {
    auto byte = static_cast<unsigned char>(text[i]);
    int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    int code = length == 1 ? byte : byte & (0x3F >> (length - 1));
    for (int k = 1; k < length && i + static_cast<size_t>(k) < text.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(text[i + static_cast<size_t>(k)]) & 0x3F);
    }
    codes.push_back(code);
    i += static_cast<size_t>(length);
  }
  return codes;
}

long long ParseNumber(const std::string& text, const char* what) {
  long long value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || value < 0) {
    throw ScriptError{std::string("bad ") + what + " '" + text + "'"};
  }
  return value;
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

  bool RunLine(std::string line, int number) {
    if (manager_.Ended() || status_ == 2) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') return true;
    try {
      Execute(line, number);
    } catch (const ScriptError& error) {
      out_.flush();
      err_ << "line " << number << ": " << error.message << '\n';
      status_ = 2;
      return false;
    }
    return !manager_.Ended();
  }

 private:
  void Execute(const std::string& line, int number) {
    const size_t space = line.find(' ');
    const std::string command = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);

    if (command == "click") {
      Click(rest);
    } else if (command == "type") {
      for (int code : DecodeUtf8(rest)) {
        if (manager_.Ended()) break;
        manager_.TypeKey(code);
      }
    } else if (command == "key") {
      manager_.TypeKey(static_cast<int>(ParseNumber(rest, "key code")));
    } else if (command == "wait") {
      AdvanceVirtualTime(manager_, clock_, ParseNumber(rest, "time"));
    } else if (command == "print") {
      const std::string value = Inspect(rest);
      out_ << rest << '=' << value << '\n';
    } else if (command == "expect") {
      Expect(rest, number);
    } else if (command == "screens") {
      out_ << "screens:";
      for (const std::string& screen : manager_.VisibleFrontToBack()) out_ << ' ' << screen;
      out_ << '\n';
    } else if (command == "focus") {
      const std::string control = manager_.FocusedControl();
      out_ << "focus=" << (control.empty() ? "" : manager_.ActiveScreen() + "." + control) << '\n';
    } else {
      throw ScriptError{"unknown command '" + command + "'"};
    }
  }

  const ScreenDesign& RequireScreen(const std::string& screen) const {
    const ScreenDesign* design = screens_.Find(screen);
    if (!design) throw ScriptError{"unknown screen '" + screen + "'"};
    return *design;
  }

  const ControlDesign& RequireControl(const std::string& screen, const std::string& control) const {
    const ControlDesign* design = RequireScreen(screen).Find(control);
    if (!design) throw ScriptError{"unknown control '" + screen + "." + control + "'"};
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

  void Expect(const std::string& arguments, int number) {
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
    throw ScriptError{"unknown item '" + item + "'"};
  }

  std::string InspectScreen(const std::string& screen, const std::string& property) const {
    RequireScreen(screen);
    const ScreenState* state = manager_.Peek(screen);
    if (property == "Visible") return FormatBool(state && state->visible);
    if (property == "Loaded") return FormatBool(state != nullptr);
    if (property == "Enabled") return state ? FormatBool(state->enabled) : "<not loaded>";
    throw ScriptError{"unknown property '" + property + "'"};
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
    if (!known) throw ScriptError{"unknown property '" + property + "' of " + control};

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

void ScriptRunner::Start() { session_->Manager().Start(kFirstScreen); }

bool ScriptRunner::RunLine(const std::string& line, int number) {
  return session_->RunLine(line, number);
}

int ScriptRunner::Status() const { return session_->Status(); }

ScreenManager& ScriptRunner::Manager() { return session_->Manager(); }

int ScriptRunner::Run(std::istream& script) {
  Start();
  std::string line;
  for (int number = 1; std::getline(script, line) && RunLine(line, number); ++number) {
  }
  return Status();
}

int RunScript(const ScreenRegistry& screens, std::istream& script, std::ostream& out,
              std::ostream& err, const std::filesystem::path& soundFolder) {
  return ScriptRunner(screens, out, err, soundFolder).Run(script);
}

}  // namespace quillon
