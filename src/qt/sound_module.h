// The entry points of the sound module, the one interface between it and the game that loads
// it. The game refuses a module of another interface: raise kSoundInterface whenever an entry
// point changes.
#pragma once

namespace quillon::qt {
inline constexpr int kSoundInterface = 1;
}

#define QUILLON_SOUND_ENTRY extern "C" __attribute__((visibility("default")))

// The number of the module's interface: kSoundInterface as the module was built.
QUILLON_SOUND_ENTRY int quillon_sound_interface();
// Readies the audio output; false when there is none.
QUILLON_SOUND_ENTRY bool quillon_sound_prepare();
// Starts the sound of a checked WAVE file and returns at once, cutting off one still playing;
// false when there is no audio output.
QUILLON_SOUND_ENTRY bool quillon_sound_play(const char* file);
// Stops the sound playing, before the application goes.
QUILLON_SOUND_ENTRY void quillon_sound_stop();
