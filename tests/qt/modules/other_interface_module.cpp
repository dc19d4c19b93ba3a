// A sound module of another interface, as one left by another version of the game would be:
// its entry points all answer, and the game must still refuse it.
#include "qt/sound_module.h"

int quillon_sound_interface() {
  return quillon::qt::kSoundInterface + 1;
}

bool quillon_sound_prepare() {
  return true;
}

bool quillon_sound_play(const char*) {
  return true;
}

void quillon_sound_stop() {}
