#include "script/runner.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "engine/screen_manager.h"
#include "engine/services.h"
#include "game/game.h"
#include "platform/folders.h"
#include "platform/wave.h"
#include "script/number_text.h"
#include "session/game_session.h"

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

// What the run says on standard error begins as every message of the game does.
constexpr std::string_view kMessagePrefix = "quillon: ";

// A line the runner refuses: the run stops with status 2.
struct ScriptError {
  std::string message;
};

std::string FormatBool(bool value) {
  return value ? "True" : "False";
}

// Sounds are checked as the window would check them, but not played; a replay in the window
// also plays them.
class ScriptSoundPlayer : public SoundPlayer {
 public:
  ScriptSoundPlayer(std::filesystem::path folder, std::ostream& out, SoundPlayer* audible)
      : folder_(std::move(folder)), out_(out), audible_(audible) {}
  bool Play(const std::string& path) override {
    if (!platform::IsPlayableWave(platform::SoundFile(folder_, path))) return false;
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

class ScriptRunner::Play {
 public:
  Play(const ScreenRegistry& screens, std::ostream& out, std::ostream& err,
       const std::filesystem::path& soundFolder, SoundPlayer* audible)
      : screens_(screens),
        out_(out),
        err_(err),
        sound_(soundFolder, out, audible),
        documents_(out),
        game_(screens, sound_, documents_, dates_) {
    game_.SetEndListener([this] { out_ << "ended\n"; });
  }

  session::GameSession& Game() { return game_; }
  const ScreenRegistry& Screens() const { return screens_; }
  int Status() const { return status_; }
  const std::string& Refusal() const { return refusal_; }

  bool RunLine(const ScriptLine& line) {
    if (game_.Ended() || status_ == 2) return false;
    try {
      if (!line.refusal.empty()) throw ScriptError{line.refusal};
      Execute(line.command, line.number);
    } catch (const ScriptError& error) {
      Refuse(line.number, error.message);
      return false;
    }
    return !game_.Ended();
  }

  bool BeginWait(const ScriptLine& line) {
    if (game_.Ended() || status_ == 2) return false;
    try {
      if (!line.refusal.empty()) throw ScriptError{line.refusal};
      CheckClockLimit(line.command.ms);
    } catch (const ScriptError& error) {
      Refuse(line.number, error.message);
      return false;
    }
    return true;
  }

  // What follows the end is not run, nor read: the script may go on for ever (a pipe that
  // never closes). A script that goes on past the end is told so.
  void ReportLinesAfterTheEnd(ScriptReader& rest) {
    if (!game_.Ended() || !rest.GoesOn()) return;
    out_.flush();
    err_ << kMessagePrefix << "lines after the end were not read\n";
  }

 private:
  void Refuse(std::int64_t number, const std::string& message) {
    out_.flush();
    refusal_ = "line " + std::to_string(number) + ": " + message;
    err_ << kMessagePrefix << refusal_ << '\n';
    status_ = 2;
  }

  void Execute(const ScriptCommand& command, std::int64_t number) {
    switch (command.kind) {
      case ScriptCommand::Kind::Nothing:
      case ScriptCommand::Kind::Comment:
        break;
      case ScriptCommand::Kind::Click:
        if (!game_.Deliver(session::PlayerEvent::ClickOn(command.screen, command.control))) {
          err_ << kMessagePrefix << "note: click on " << command.screen << '.' << command.control
               << " did nothing\n";
        }
        break;
      case ScriptCommand::Kind::Type:
      case ScriptCommand::Kind::Key:
        for (size_t k = 0; k < command.keys.size() && !game_.Ended(); ++k) {
          game_.Deliver(session::PlayerEvent::KeyPress(command.keys[k]));
        }
        break;
      case ScriptCommand::Kind::Wait:
        CheckClockLimit(command.ms);
        game_.Advance(command.ms);
        break;
      case ScriptCommand::Kind::Print:
        out_ << command.item << '=' << Inspect(command.item) << '\n';
        break;
      case ScriptCommand::Kind::Expect:
        Expect(command.item, command.value, number);
        break;
      case ScriptCommand::Kind::Screens:
        out_ << "screens:";
        for (const std::string& screen : game_.Game().VisibleFrontToBack()) out_ << ' ' << screen;
        out_ << '\n';
        break;
      case ScriptCommand::Kind::Focus: {
        const std::string control = game_.Game().FocusedControl();
        out_ << "focus=" << (control.empty() ? "" : game_.Game().ActiveScreen() + "." + control)
             << '\n';
        break;
      }
    }
  }

  void CheckClockLimit(std::int64_t ms) const {
    if (ms > kVirtualTimeLimitMs - game_.Now()) {
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
    const ScriptItem item = SplitItem(text);
    const ScreenState* state = game_.Game().Peek(item.screen);
    if (item.control.empty()) {
      if (item.property == "Visible") return FormatBool(state && state->visible);
      if (item.property == "Loaded") return FormatBool(state != nullptr);
      return state ? FormatBool(state->enabled) : "<not loaded>";
    }
    if (!state) return "<not loaded>";
    const ControlState& c = *state->Find(item.control);
    if (item.property == "Visible") return FormatBool(c.visible);
    if (item.property == "Enabled") return FormatBool(c.enabled);
    if (item.property == "Value") return ShortestText(c.value);
    return c.text;
  }

  const ScreenRegistry& screens_;
  std::ostream& out_;
  std::ostream& err_;
  ScriptSoundPlayer sound_;
  ScriptDocumentOpener documents_;
  LocaleDateFormatter dates_;
  session::GameSession game_;
  int status_ = 0;       // 1 once an expect failed, 2 for a line not understood
  std::string refusal_;  // the refused line's message
};

ScriptRunner::ScriptRunner(const ScreenRegistry& screens, std::ostream& out, std::ostream& err,
                           const std::filesystem::path& soundFolder, SoundPlayer* audible)
    : play_(std::make_unique<Play>(screens, out, err, soundFolder, audible)) {}

ScriptRunner::~ScriptRunner() = default;

void ScriptRunner::Start() {
  play_->Game().Start(game::kFirstScreen);
}

bool ScriptRunner::RunLine(const std::string& line, std::int64_t number) {
  return play_->RunLine(ParseScriptLine(play_->Screens(), line, number));
}

bool ScriptRunner::RunLine(const ScriptLine& line) {
  return play_->RunLine(line);
}

int ScriptRunner::Status() const {
  return play_->Status();
}

const std::string& ScriptRunner::Refusal() const {
  return play_->Refusal();
}

session::GameSession& ScriptRunner::Game() {
  return play_->Game();
}

bool ScriptRunner::BeginWait(const ScriptLine& line) {
  return play_->BeginWait(line);
}

void ScriptRunner::ReportLinesAfterTheEnd(ScriptReader& rest) {
  play_->ReportLinesAfterTheEnd(rest);
}

int ScriptRunner::Run(std::istream& script) {
  Start();
  ScriptReader reader(play_->Screens(), script);
  while (const std::optional<ScriptLine> line = reader.Next()) {
    if (!RunLine(*line)) break;
  }
  ReportLinesAfterTheEnd(reader);
  return Status();
}

ScriptResult RunScript(const ScreenRegistry& screens, std::istream& script, std::ostream& out,
                       std::ostream& err, const std::filesystem::path& soundFolder) {
  ScriptRunner runner(screens, out, err, soundFolder);
  const int status = runner.Run(script);
  return ScriptResult{status, runner.Refusal()};
}

}  // namespace quillon::script
