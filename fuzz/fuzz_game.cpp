// libFuzzer target: a fresh game for every input, played from the input's bytes, with the
// game's invariants checked after every event.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "game_driver.h"
#include "game_invariants.h"

namespace {

// Keeps every input quick, however long the fuzzer makes it.
constexpr int kMaxEventsPerInput = 2000;

std::uint64_t totalEvents = 0;
std::uint64_t totalInputs = 0;

void PrintTotals() {
  static bool printed = false;
  // The parent of -jobs runs no input; libFuzzer may also reach exit twice on its way out.
  if (printed || totalInputs == 0) return;
  printed = true;
  std::fprintf(stderr, "fuzz_game: %llu events in %llu inputs\n",
               static_cast<unsigned long long>(totalEvents),
               static_cast<unsigned long long>(totalInputs));
}

[[noreturn]] void Broken(const std::string& rule, int event) {
  std::fprintf(stderr, "fuzz_game: invariant broken after event %d: %s\n", event, rule.c_str());
  PrintTotals();
  __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::atexit(PrintTotals);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillon::fuzz::ByteReader bytes(data, size);
  const std::optional<quillon::fuzz::SoundMode> sound = quillon::fuzz::ReadSoundMode(bytes);
  if (!sound) return 0;
  ++totalInputs;

  quillon::fuzz::GameDriver game(*sound);
  quillon::fuzz::GameInvariants invariants;
  int events = 0;
  if (auto broken = invariants.Check(game)) Broken(*broken, events);
  while (events < kMaxEventsPerInput) {
    const bool played = game.PlayNext(bytes, [&] {
      ++events;
      ++totalEvents;
      if (auto broken = invariants.Check(game)) Broken(*broken, events);
    });
    if (!played) break;
  }
  return 0;
}
