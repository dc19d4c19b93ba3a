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
// Sounds print `sound PATH`, opened documents `open TARGET`, the end of the game `ended`.
// Exit status: 0, 1 when an expect failed, 2 for a line the runner does not understand.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon {

// One run of a script: the game on a virtual clock, fed line by line.
class ScriptRunner {
 public:
  ScriptRunner(const engine::ScreenRegistry& screens, std::ostream& out, std::ostream& err,
               const std::filesystem::path& soundFolder);
  ~ScriptRunner();

  // Start-up, then every line; returns the exit status.
  int Run(std::istream& script);

  // For a tool that drives the run itself: start-up, then one line at a time. RunLine is
  // false once the run is over: the game ended, or the line was not understood.
  void Start();
  bool RunLine(const std::string& line, int number);
  int Status() const;
  engine::ScreenManager& Manager();

 private:
  class Session;
  std::unique_ptr<Session> session_;
};

int RunScript(const engine::ScreenRegistry& screens, std::istream& script, std::ostream& out,
              std::ostream& err, const std::filesystem::path& soundFolder);

}  // namespace quillon
