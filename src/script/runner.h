// Script mode: the game without a window, driven line by line in virtual time.
//
//   click SCREEN CONTROL   the player clicks a control
//   type TEXT              key presses into the focused text box of the active screen
//   key CODE               one key press with that character code
//   wait MS                virtual time moves on, firing the timers that fall due
//   print ITEM             ITEM=VALUE, ITEM being SCREEN.Visible|Loaded|Enabled or
//                          SCREEN.CONTROL.Visible|Caption|Text|Value|Enabled
//   expect ITEM VALUE      a FAIL line and exit status 1 when ITEM differs
//   screens                the visible screens, front to back
//   focus                  the focused text box of the active screen
//
// Sounds print `sound PATH`, opened documents `open TARGET`, the end of the game `ended`;
// the command lines left after the end are counted on standard error.
// Exit status: 0, 1 when an expect failed, 2 for a line the runner refuses: one it does not
// understand, one longer than kMaxLineBytes, one holding a NUL byte or bytes that are not
// UTF-8, a control character in `type`, a key code that is no key, a wait that is not a whole
// number from 0 to kMaxWaitMs or that would take the clock past engine::kVirtualTimeLimitMs.
//
// A run is two parts: the reader checks and understands each line (ScriptReader,
// ParseScriptLine), the runner carries it out on the game (ScriptRunner). A front end that
// paces a run itself, as the replay in the window does, uses both parts one line at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/design.h"
#include "engine/screen_manager.h"
#include "engine/services.h"

namespace quillon::script {

// The longest script line, without its line end: 1 MiB.
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;
// The longest wait: one day of game time.
inline constexpr std::int64_t kMaxWaitMs = 86'400'000;

// What one script line asks for, checked against the game's screens.
struct ScriptCommand {
  enum class Kind { Nothing, Click, Type, Key, Wait, Print, Expect, Screens, Focus };
  Kind kind = Kind::Nothing;  // Nothing: a blank line or a comment
  std::string screen;         // Click
  std::string control;        // Click
  std::vector<int> keys;      // Type: the code of each character; Key: its one code
  std::int64_t ms = 0;        // Wait
  std::string item;           // Print, Expect
  std::string value;          // Expect
};

struct ScriptLine {
  std::int64_t number = 0;
  ScriptCommand command;
  std::string refusal;  // not empty: the line is refused, and this is why
};

// Checks a line of a script (without its "\n"; the "\r" of a "\r\n" line end is dropped) and
// understands it. Everything is checked but what depends on the run: how far the clock may go.
ScriptLine ParseScriptLine(const engine::ScreenRegistry& screens, std::string line,
                           std::int64_t number);

// A script read line by line, each line checked and understood as it is read. A line longer
// than kMaxLineBytes comes back refused as soon as it is known to be, unread to its end.
class ScriptReader {
 public:
  ScriptReader(const engine::ScreenRegistry& screens, std::istream& script);

  // The next line; nothing at the end of the script.
  std::optional<ScriptLine> Next();
  // The command lines left, blank lines and comments aside; they are read to the end of the
  // script but not checked.
  std::int64_t CountCommandsLeft();

 private:
  const engine::ScreenRegistry& screens_;
  std::istream& script_;
  std::string line_;
  std::int64_t number_ = 0;
};

// One run of a script: the game on a virtual clock, fed line by line.
class ScriptRunner {
 public:
  // `audible`, when given, also plays each sound that the run prints.
  ScriptRunner(const engine::ScreenRegistry& screens, std::ostream& out, std::ostream& err,
               const std::filesystem::path& soundFolder, engine::SoundPlayer* audible = nullptr);
  ~ScriptRunner();

  // Start-up, then every line; returns the exit status. Once the game has ended, the lines
  // left are only counted.
  int Run(std::istream& script);

  // For a tool that drives the run itself: start-up, then one line at a time, checked as Run
  // checks it but for its length. RunLine is false once the run is over: the game ended, or
  // the line was refused.
  void Start();
  bool RunLine(const std::string& line, std::int64_t number);
  bool RunLine(const ScriptLine& line);
  int Status() const;
  engine::ScreenManager& Manager();

  // For a front end that paces a run itself: a wait in steps, and the end of the run.
  // BeginWait checks that the line's wait keeps the clock within its bounds, refusing the line
  // as RunLine would when it does not; Advance then moves virtual time on by a part of it.
  bool BeginWait(const ScriptLine& line);
  void Advance(std::int64_t ms);
  // Once the game has ended, counts the command lines left in `rest` on standard error, as
  // Run does.
  void ReportLinesAfterTheEnd(ScriptReader& rest);

 private:
  class Session;
  std::unique_ptr<Session> session_;
};

int RunScript(const engine::ScreenRegistry& screens, std::istream& script, std::ostream& out,
              std::ostream& err, const std::filesystem::path& soundFolder);

}  // namespace quillon::script
