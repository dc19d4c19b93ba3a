// Script mode: the game without a window, driven line by line in virtual time by a script in
// the language of script/codec.h.
//
// Sounds print `sound PATH`, opened documents `open TARGET`, the end of the game `ended`.
// What the run says on standard error begins with "quillon: ": a refused line, a click that did
// nothing, and a script that goes on after the end (the rest is not read).
// Exit status: 0, 1 when an expect failed, 2 for a line the runner refuses: one the reader
// refuses (see script/codec.h), or a wait that would take the clock past
// engine::kVirtualTimeLimitMs.
//
// A run is two parts: the reader checks and understands each line (ScriptReader,
// ParseScriptLine), the runner carries it out on the game (ScriptRunner). A front end that
// paces a run itself, as the replay in the window does, uses both parts one line at a time.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>

#include "engine/design.h"
#include "engine/screen_manager.h"
#include "engine/services.h"
#include "script/codec.h"
#include "session/game_session.h"

namespace quillon::script {

// One run of a script: the game on a virtual clock, fed line by line.
class ScriptRunner {
 public:
  // `audible`, when given, also plays each sound that the run prints.
  ScriptRunner(const engine::ScreenRegistry& screens, std::ostream& out, std::ostream& err,
               const std::filesystem::path& soundFolder, engine::SoundPlayer* audible = nullptr);
  ~ScriptRunner();

  // Start-up, then every line; returns the exit status. Once the game has ended, the rest of
  // the script is not read.
  int Run(std::istream& script);

  // For a tool that drives the run itself: start-up, then one line at a time, checked as Run
  // checks it but for its length. RunLine is false once the run is over: the game ended, or
  // the line was refused.
  void Start();
  bool RunLine(const std::string& line, std::int64_t number);
  bool RunLine(const ScriptLine& line);
  int Status() const;
  // The refused line's message ("line N: ..."), as the run printed it after "quillon: "; empty
  // when none was.
  const std::string& Refusal() const;
  // The game the run plays, for a front end that shows it or paces it.
  session::GameSession& Game();

  // For a front end that paces a run itself: a wait in steps, and the end of the run.
  // BeginWait checks that the line's wait keeps the clock within its bounds, refusing the line
  // as RunLine would when it does not; the front end then moves the game's time on through
  // Game() by parts of it.
  bool BeginWait(const ScriptLine& line);
  // Once the game has ended, tells on standard error when `rest` goes on, as Run does.
  void ReportLinesAfterTheEnd(ScriptReader& rest);

 private:
  class Play;  // the game and what the run has said so far
  std::unique_ptr<Play> play_;
};

// How a whole run ended: its exit status and, for status 2, the refused line's message.
struct ScriptResult {
  int status = 0;
  std::string refusal;
};

ScriptResult RunScript(const engine::ScreenRegistry& screens, std::istream& script,
                       std::ostream& out, std::ostream& err,
                       const std::filesystem::path& soundFolder);

}  // namespace quillon::script
