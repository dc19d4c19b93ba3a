// libFuzzer target: the input is a script for script mode, run whole by the script runner with
// the game's real sounds. Whatever the bytes, the run ends with one of the runner's statuses.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>

#include "game/game.h"
#include "script/runner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
  std::ostream discarded(nullptr);  // writes go nowhere
  const int status = quillon::script::RunScript(quillon::game::GameScreens(), script, discarded,
                                                discarded, QUILLON_SOUND_FOLDER).status;
  if (status < 0 || status > 2) {
    std::fprintf(stderr, "fuzz_script: the run ended with status %d\n", status);
    __builtin_trap();
  }
  return 0;
}
