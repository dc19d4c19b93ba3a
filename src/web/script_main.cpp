// Script mode under node: the game compiled to WebAssembly plays a script exactly as
// `quillon --script FILE` does, with the same output and exit status. The launcher
// (quillon-script) runs this module with the machine's files and environment.
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>

#include "game/identity.h"
#include "script/script_file.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: quillon-script --script FILE\n"
    "Plays the game headless from a script, as quillon --script does (FILE - reads standard\n"
    "input). Exit status: 0, 1 when an expect failed, 2 for a refused line or a file that\n"
    "cannot be read, 3 when the output could not be written.\n"
    "  --script FILE  play FILE\n"
    "  -h, --help     this help\n"
    "  -v, --version  the game's version\n";

int Refuse(const std::string& what) {
  std::cerr << "quillon-script: " << what << "\nTry 'quillon-script --help'.\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace std::string_view_literals;
  if (argc == 2 && (argv[1] == "--help"sv || argv[1] == "-h"sv)) {
    std::cout << kUsage;
    return 0;
  }
  if (argc == 2 && (argv[1] == "--version"sv || argv[1] == "-v"sv)) {
    std::cout << "quillon " << quillon::game::kVersion << '\n';
    return 0;
  }
  constexpr std::string_view kScriptEquals = "--script=";
  if (argc == 2 && std::string_view(argv[1]).starts_with(kScriptEquals)) {
    return quillon::script::RunScriptFile(argv[1] + kScriptEquals.size());
  }
  if (argc == 3 && argv[1] == "--script"sv) return quillon::script::RunScriptFile(argv[2]);
  if (argc == 1) return Refuse("no script: give --script FILE");
  return Refuse("unknown arguments; only --script FILE is played here");
}
