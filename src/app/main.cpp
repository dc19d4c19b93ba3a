// The game starts in its window; `--script FILE` plays it headless instead (FILE `-` reads
// standard input), `--replay FILE` plays a script in the window for a person to watch. The
// command line is read before anything else, so that `--help`, `--version`, a mistyped option
// and a file that is no script work with no display at all.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

#include "app/game.h"
#include "app/identity.h"
#include "app/script_runner.h"
#include "engine/services.h"

#ifdef QUILLON_WINDOW
#include <QStringList>

#include "qt/command_line.h"
#include "qt/replay.h"
#include "qt/window_main.h"
#endif

namespace {

int RunScriptFile(const std::string& file) {
  std::ifstream script;
  if (file != "-") {
    // A folder opens as a file that reads as empty: it would pass for a script with no lines.
    std::error_code error;
    if (!std::filesystem::is_directory(file, error)) script.open(file);
    if (!script.is_open()) {
      std::cerr << "quillon: cannot read " << file << '\n';
      return 2;
    }
  }
  std::istream& in = file == "-" ? std::cin : script;
  return quillon::RunScript(quillon::GameScreens(), in, std::cout, std::cerr,
                            engine::SoundFolder());
}

#ifdef QUILLON_WINDOW

// A replay plays only a script that script mode runs to its end: the file is run once headless
// first, so a file that is no script is refused at once, with the line at fault, before any
// window opens.
int CheckReplayFile(const std::string& file) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(file, error);
  std::ifstream script;
  if (std::filesystem::is_regular_file(status)) script.open(file);
  if (file != "-" && !script.is_open()) {
    if (std::filesystem::exists(status) && !std::filesystem::is_directory(status)) {
      std::cerr << "quillon: cannot replay " << file << ": it is no regular file\n";
    } else {
      std::cerr << "quillon: cannot read " << file << '\n';
    }
    return 2;
  }
  if (file == "-") {
    std::cerr << "quillon: cannot replay standard input: a replay reads a file\n";
    return 2;
  }
  std::ostringstream discarded, refusals;
  const int run = quillon::RunScript(quillon::GameScreens(), script, discarded, refusals,
                                     engine::SoundFolder());
  if (run != 2) return 0;
  // The refusal is the last line the run wrote on standard error.
  std::string refusal = refusals.str();
  refusal.pop_back();
  refusal = refusal.substr(refusal.rfind('\n') + 1);
  std::cerr << "quillon: cannot replay " << file << ": " << refusal << '\n';
  return 2;
}

bool CheckDisplay() {
  const QString missing = quillon::MissingDisplay(qEnvironmentVariable("QT_QPA_PLATFORM"),
                                                  qEnvironmentVariable("DISPLAY"),
                                                  qEnvironmentVariable("WAYLAND_DISPLAY"));
  if (!missing.isEmpty()) {
    std::cerr << "quillon: " << missing.toStdString() << '\n';
    return false;
  }
  // An empty WAYLAND_DISPLAY names no display, but Qt would still try Wayland for it first.
  if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) qunsetenv("WAYLAND_DISPLAY");
  return true;
}

int Play(int argc, char** argv, const quillon::CommandLine& command) {
  if (!CheckDisplay()) return 1;
  return quillon::RunWindow(
      argc, argv,
      quillon::WindowOptions{.windowed = command.windowed,
                             .recordFile = command.recordFile.toLocal8Bit().toStdString()});
}

int Replay(int argc, char** argv, const quillon::CommandLine& command) {
  const std::string file = command.scriptFile.toLocal8Bit().toStdString();
  if (const int status = CheckReplayFile(file); status != 0) return status;
  if (!CheckDisplay()) return 1;
  return quillon::window::RunReplay(
      argc, argv, file,
      quillon::window::ReplayOptions{.speed = command.speed, .windowed = command.windowed});
}

#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef QUILLON_WINDOW
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const quillon::CommandLine command = quillon::ParseCommandLine(arguments);
  switch (command.action) {
    case quillon::CommandLine::Action::Help:
      std::cout << quillon::Usage().toStdString();
      return 0;
    case quillon::CommandLine::Action::Version:
      std::cout << "quillon " << quillon::kVersion << '\n';
      return 0;
    case quillon::CommandLine::Action::Error:
      std::cerr << "quillon: " << command.error.toStdString() << '\n'
                << quillon::Usage().toStdString();
      return 2;
    case quillon::CommandLine::Action::Script:
      return RunScriptFile(command.scriptFile.toLocal8Bit().toStdString());
    case quillon::CommandLine::Action::Replay:
      return Replay(argc, argv, command);
    case quillon::CommandLine::Action::Play:
      break;
  }
  return Play(argc, argv, command);
#else
  if (argc == 3 && std::string_view(argv[1]) == "--script") return RunScriptFile(argv[2]);
  std::cerr << "usage: quillon --script FILE   (this build has no window)\n";
  return 2;
#endif
}
