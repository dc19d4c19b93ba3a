#include "script/script_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "game/game.h"
#include "script/runner.h"
#include "platform/folders.h"

namespace quillon::script {

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
  const int status =
      RunScript(game::GameScreens(), in, std::cout, std::cerr, platform::SoundFolder()).status;
  // Standard input that is closed or a folder reads as a script without lines, and one that
  // fails on the way as a script cut short: neither must pass for a run that went well.
  // std::cin reads through the C library's stdin, which keeps the error.
  if (file == "-" && std::ferror(stdin)) {
    std::cout.flush();
    std::cerr << "quillon: cannot read standard input\n";
    return 2;
  }
  // Output that was lost (a full disk, a closed pipe) must not pass for a run that went well.
  std::cout.flush();
  if (!std::cout && status != 2) {
    std::cerr << "quillon: cannot write the script's output\n";
    return 3;
  }
  return status;
}

}  // namespace quillon::script
