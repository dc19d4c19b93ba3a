// The game starts in its window; `--script FILE` plays it headless instead (FILE `-` reads
// standard input). The command line is read before anything else, so that `--help`,
// `--version` and a mistyped option work with no display at all.
#include <filesystem>
#include <fstream>
#include <iostream>
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

int Play(int argc, char** argv, bool windowed) {
  const QString missing = quillon::MissingDisplay(qEnvironmentVariable("QT_QPA_PLATFORM"),
                                                  qEnvironmentVariable("DISPLAY"),
                                                  qEnvironmentVariable("WAYLAND_DISPLAY"));
  if (!missing.isEmpty()) {
    std::cerr << "quillon: " << missing.toStdString() << '\n';
    return 1;
  }
  // An empty WAYLAND_DISPLAY names no display, but Qt would still try Wayland for it first.
  if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) qunsetenv("WAYLAND_DISPLAY");
  return quillon::RunWindow(argc, argv, quillon::WindowOptions{.windowed = windowed});
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
    case quillon::CommandLine::Action::Play:
      break;
  }
  return Play(argc, argv, command.windowed);
#else
  if (argc == 3 && std::string_view(argv[1]) == "--script") return RunScriptFile(argv[2]);
  std::cerr << "usage: quillon --script FILE   (this build has no window)\n";
  return 2;
#endif
}
