// The game starts in its window; `--script FILE` plays it headless instead (FILE `-` reads
// standard input), `--replay FILE` plays a script in the window for a person to watch.
//
// Script mode needs nothing of Qt: `quillon --script FILE` runs here and never loads it. Every
// other command line, `--help` and `--version` included, goes to the window's module, which
// reads it with Qt's parser; the module is loaded only then.
#include <dlfcn.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "app/script_file.h"
#include "engine/services.h"

namespace {

#ifdef QUILLON_WINDOW

int RunWindowModule(int argc, char** argv) {
  const std::filesystem::path path =
      engine::LocateModule(engine::ExecutableFolder(), QUILLON_MODULE_DIR, "libquillon_window.so");
  void* module = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
  using Entry = int (*)(int, char**);
  const auto entry =
      module ? reinterpret_cast<Entry>(dlsym(module, "quillon_window_main")) : nullptr;
  if (!entry) {
    std::cerr << "quillon: cannot load the game's window: " << dlerror() << '\n';
    return 1;
  }
  return entry(argc, argv);
}

#endif

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string_view(argv[1]) == "--script") return quillon::RunScriptFile(argv[2]);
#ifdef QUILLON_WINDOW
  return RunWindowModule(argc, argv);
#else
  std::cerr << "usage: quillon --script FILE   (this build has no window)\n";
  return 2;
#endif
}
