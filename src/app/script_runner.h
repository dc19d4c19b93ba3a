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
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon {

// The longest script line, without its line end: 1 MiB.
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;
// The longest wait: one day of game time.
inline constexpr std::int64_t kMaxWaitMs = 86'400'000;

// One run of a script: the game on a virtual clock, fed line by line.
class ScriptRunner {
 public:
  ScriptRunner(const engine::ScreenRegistry& screens, std::ostream& out, std::ostream& err,
               const std::filesystem::path& soundFolder);
  ~ScriptRunner();

  // Start-up, then every line; returns the exit status. Once the game has ended, the lines
  // left are only counted.
  int Run(std::istream& script);

  // For a tool that drives the run itself: start-up, then one line at a time, checked as Run
  // checks it but for its length. RunLine is false once the run is over: the game ended, or
  // the line was refused.
  void Start();
  bool RunLine(const std::string& line, std::int64_t number);
  int Status() const;
  engine::ScreenManager& Manager();

 private:
  class Session;
  std::unique_ptr<Session> session_;
};

int RunScript(const engine::ScreenRegistry& screens, std::istream& script, std::ostream& out,
              std::ostream& err, const std::filesystem::path& soundFolder);

}  // namespace quillon
