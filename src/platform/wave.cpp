#include "platform/wave.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

#include "platform/regular_file.h"

namespace quillon::platform {

namespace {

// The game's sounds are 2 KB and 150 KB; a larger file is no sound of the game's and is not read.
constexpr std::uint64_t kLargestSoundFile = 16 * 1024 * 1024;
// The most chunk headers read, the sound data's among them (the game's sounds have two).
constexpr int kMostChunks = 16;
constexpr std::uint64_t kRiffHeaderSize = 12;  // "RIFF", its size, "WAVE"
constexpr std::uint64_t kChunkHeaderSize = 8;  // its name and the size of its body
constexpr std::uint32_t kFormatBodySize = 16;  // the PCM fields of "fmt "
constexpr std::uint16_t kPcm = 1;

std::uint16_t Little16(const unsigned char* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

std::uint32_t Little32(const unsigned char* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

struct Chunk {
  std::array<char, 4> name{};
  std::uint32_t size = 0;
  std::uint64_t bodyOffset = 0;

  bool Is(const char (&expected)[5]) const { return std::memcmp(name.data(), expected, 4) == 0; }
};

std::optional<Chunk> ReadChunkHeader(const RegularFile& file, std::uint64_t offset) {
  std::array<unsigned char, kChunkHeaderSize> header{};
  if (!file.ReadAt(offset, header)) return std::nullopt;
  Chunk chunk;
  std::memcpy(chunk.name.data(), header.data(), 4);
  chunk.size = Little32(header.data() + 4);
  chunk.bodyOffset = offset + kChunkHeaderSize;
  return chunk;
}

bool HasRiffWaveHeader(const RegularFile& file) {
  std::array<unsigned char, kRiffHeaderSize> header{};
  // The RIFF size field is not checked: the player plays files where it is too large or small.
  return file.ReadAt(0, header) && std::memcmp(header.data(), "RIFF", 4) == 0 &&
         std::memcmp(header.data() + 8, "WAVE", 4) == 0;
}

struct WaveFormat {
  std::uint16_t encoding = 0;
  std::uint16_t channels = 0;
  std::uint32_t sampleRate = 0;
  std::uint32_t byteRate = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
};

std::optional<WaveFormat> ReadFormat(const RegularFile& file, const Chunk& chunk) {
  std::array<unsigned char, kFormatBodySize> body{};
  if (chunk.size < body.size() || !file.ReadAt(chunk.bodyOffset, body)) {
    return std::nullopt;
  }
  WaveFormat format;
  format.encoding = Little16(body.data());
  format.channels = Little16(body.data() + 2);
  format.sampleRate = Little32(body.data() + 4);
  format.byteRate = Little32(body.data() + 8);
  format.blockAlign = Little16(body.data() + 12);
  format.bitsPerSample = Little16(body.data() + 14);
  return format;
}

bool HasPlayableSamples(const WaveFormat& format) {
  // Floating point and the extensible format are not played; 24-bit samples are played as 16-bit.
  const bool pcm = format.encoding == kPcm;
  const bool monoOrStereo = format.channels == 1 || format.channels == 2;
  const bool knownSampleSize = format.bitsPerSample == 8 || format.bitsPerSample == 16 ||
                               format.bitsPerSample == 24 || format.bitsPerSample == 32;
  const bool audibleRate = format.sampleRate >= 1000 && format.sampleRate <= 192000;
  return pcm && monoOrStereo && knownSampleSize && audibleRate;
}

// The derived fields agree with the others; where they do not, the header is damaged.
bool IsConsistent(const WaveFormat& format) {
  const std::uint32_t frameSize = std::uint32_t{format.channels} * format.bitsPerSample / 8;
  return format.blockAlign == frameSize &&
         std::uint64_t{format.byteRate} == std::uint64_t{format.sampleRate} * frameSize;
}

// Non-empty, whole sample frames, and all of it in the file: the player waits for ever for
// samples that are not there.
bool HasPlayableData(const Chunk& data, const WaveFormat& format, std::uint64_t fileSize) {
  return data.size > 0 && format.blockAlign > 0 && data.size % format.blockAlign == 0 &&
         data.bodyOffset + data.size <= fileSize;
}

}  // namespace

bool IsPlayableWave(const std::filesystem::path& file) {
  const RegularFile sound(file);
  if (!sound.IsOpen() || sound.Size() > kLargestSoundFile || !HasRiffWaveHeader(sound)) {
    return false;
  }

  // Only chunk headers and the format are read; the samples never are.
  std::optional<WaveFormat> format;
  std::uint64_t offset = kRiffHeaderSize;
  for (int seen = 0; seen < kMostChunks; ++seen) {
    const std::optional<Chunk> chunk = ReadChunkHeader(sound, offset);
    if (!chunk) return false;
    if (chunk->Is("data")) {
      return format && HasPlayableSamples(*format) && IsConsistent(*format) &&
             HasPlayableData(*chunk, *format, sound.Size());
    }
    // The player does not step over the pad byte after an odd-sized chunk and loses its way.
    if (chunk->size % 2 != 0) return false;
    if (chunk->Is("fmt ") && !format) {
      format = ReadFormat(sound, *chunk);
      if (!format) return false;
    }
    offset = chunk->bodyOffset + chunk->size;
  }
  return false;
}

}  // namespace quillon::platform
