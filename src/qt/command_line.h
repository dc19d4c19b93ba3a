// The game's command line, read before any window or display is opened, so that `--help`,
// `--version` and a mistyped option work on any machine, with or without a display.
#pragma once

#include <QString>
#include <string>

namespace quillon::qt {

struct CommandLine {
  enum class Action { Play, Script, Replay, Help, Version, Error };
  Action action = Action::Play;
  bool windowed = false;  // Play, Replay: the 1024 x 768 window instead of full screen
  // The file names as the bytes given, whatever their encoding: they name the files opened.
  std::string recordFile;  // Play: where the game is recorded as a script; empty for nowhere
  std::string scriptFile;  // Script: the file, or "-" for standard input; Replay: the file
  double speed = 1;        // Replay: how many times faster than real time
  std::string error;       // Error: what is wrong, one line, the arguments in it as given
};

// The arguments as the program got them, the program's own name first.
CommandLine ParseCommandLine(int argc, char** argv);

// What `--help` prints, and what follows a command-line error.
QString Usage();

// Why the window cannot open, judged from the environment before Qt is asked to: no X11 and
// no Wayland display named. Empty when a display is named or another platform is chosen.
QString MissingDisplay(const QString& platform, const QString& x11Display,
                       const QString& waylandDisplay);

}  // namespace quillon::qt
