// The game starts in its window; `--script FILE` plays it headless instead (FILE `-` reads
// standard input).
#include <fstream>
#include <iostream>
#include <string_view>

#include "app/game.h"
#include "app/script_runner.h"
#include "engine/services.h"

#ifdef QUILLON_WINDOW
#include "qt/window_main.h"
#endif

int main(int argc, char** argv) {
  if (argc == 3 && std::string_view(argv[1]) == "--script") {
    const std::string_view file = argv[2];
    std::ifstream script;
    if (file != "-") {
      script.open(std::string(file));
      if (!script) {
        std::cerr << "quillon: cannot read " << file << '\n';
        return 2;
      }
    }
    std::istream& in = file == "-" ? std::cin : script;
    return quillon::RunScript(quillon::GameScreens(), in, std::cout, std::cerr,
                              engine::ExecutableFolder());
  }
#ifdef QUILLON_WINDOW
  return quillon::RunWindow(argc, argv, quillon::WindowOptions{});
#else
  std::cerr << "usage: quillon --script FILE   (this build has no window)\n";
  return 2;
#endif
}
