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

// What `--help` prints.
QString Usage();

// The line that follows a command-line error, pointing to the help.
inline constexpr const char* kTryHelp = "Try 'quillon --help'.";

// What the environment says of the displays, read before Qt is asked to open one.
struct DisplayEnvironment {
  QString platform;        // QT_QPA_PLATFORM: the platforms to try, separated by ';'
  QString x11Display;      // DISPLAY
  QString waylandDisplay;  // WAYLAND_DISPLAY
  bool waylandAnswers = false;  // a compositor's socket lies where WAYLAND_DISPLAY points
};

// Why the window cannot open, judged from the environment: no X11 display named and no Wayland
// compositor where one is named, for the platforms asked for. Empty when a display may be
// opened or a platform that needs none is chosen.
QString MissingDisplay(const DisplayEnvironment& environment);

}  // namespace quillon::qt
