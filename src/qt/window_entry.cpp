// The game's window and everything else that needs Qt, from the command line on. The game's
// executable loads this module for every command line but the plain `--script FILE`, which it
// runs without loading Qt at all.
#include <QStringList>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <system_error>

#include "app/game.h"
#include "app/identity.h"
#include "app/script_file.h"
#include "app/script_runner.h"
#include "engine/services.h"
#include "qt/command_line.h"
#include "qt/replay.h"
#include "qt/window_main.h"

namespace {

// A replay plays only a script that script mode runs to its end: the file is run once headless
// first, so a file that is no script is refused at once, with the line at fault, before any
// window opens.
int CheckReplayFile(const std::string& file) {
  if (file == "-") {
    std::cerr << "quillon: cannot replay standard input: a replay reads a file\n";
    return 2;
  }
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(file, error);
  std::ifstream script;
  if (std::filesystem::is_regular_file(status)) script.open(file);
  if (!script.is_open()) {
    if (std::filesystem::exists(status) && !std::filesystem::is_directory(status)) {
      std::cerr << "quillon: cannot replay " << file << ": it is no regular file\n";
    } else {
      std::cerr << "quillon: cannot read " << file << '\n';
    }
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

}  // namespace

extern "C" Q_DECL_EXPORT int quillon_window_main(int argc, char** argv) {
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
      return quillon::RunScriptFile(command.scriptFile.toLocal8Bit().toStdString());
    case quillon::CommandLine::Action::Replay:
      return Replay(argc, argv, command);
    case quillon::CommandLine::Action::Play:
      break;
  }
  return Play(argc, argv, command);
}
