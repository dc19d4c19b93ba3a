// The game's one executable: the game in its window; `--script FILE` plays it headless instead
// (FILE `-` reads standard input), `--replay FILE` plays a script in the window for a person to
// watch. One parser reads the whole command line before any display is opened, so `--help`,
// `--version`, a mistyped option and script mode work on any machine.
#include <iostream>

#include "game/identity.h"
#include "qt/command_line.h"
#include "qt/replay.h"
#include "qt/run_window.h"
#include "script/script_file.h"

int main(int argc, char** argv) {
  using namespace quillon;
  const qt::CommandLine command = qt::ParseCommandLine(argc, argv);
  switch (command.action) {
    case qt::CommandLine::Action::Help:
      std::cout << qt::Usage().toStdString();
      return 0;
    case qt::CommandLine::Action::Version:
      std::cout << "quillon " << game::kVersion << '\n';
      return 0;
    case qt::CommandLine::Action::Error:
      std::cerr << "quillon: " << command.error << '\n' << qt::kTryHelp << '\n';
      return 2;
    case qt::CommandLine::Action::Script:
      return script::RunScriptFile(command.scriptFile);
    case qt::CommandLine::Action::Replay:
      return qt::RunReplay(argc, argv, command.scriptFile,
                           qt::ReplayOptions{.speed = command.speed, .windowed = command.windowed});
    case qt::CommandLine::Action::Play:
      break;
  }
  return qt::RunWindow(argc, argv,
                       qt::WindowOptions{.windowed = command.windowed,
                                         .recordFile = command.recordFile});
}
