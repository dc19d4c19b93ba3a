// The check of a sound file before the window's player gets it.
#pragma once

#include <filesystem>

namespace quillon::platform {

// True when the file holds a WAVE sound that the window's player really plays: a regular file
// of at most 16 MiB; 8, 16, 24 or 32-bit PCM, mono or stereo, 1 000 to 192 000 samples a
// second, its header consistent; a non-empty data chunk of whole sample frames that lies in the
// file and comes within the first 16 chunks, after the format. Reads only the headers, never
// blocks (a FIFO or a device is refused at once) and takes microseconds.
bool IsPlayableWave(const std::filesystem::path& file);

}  // namespace quillon::platform
