// The sound module of a machine without audio output: it loads, and no sound can play.
#include "qt/sound_module.h"

int quillon_sound_interface() {
  return quillon::qt::kSoundInterface;
}

bool quillon_sound_prepare() {
  return false;
}

bool quillon_sound_play(const char*) {
  return false;
}

void quillon_sound_stop() {}
