#include "platform/wave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

#include "platform/temp_folder.h"

namespace quillon::platform {
namespace {

std::string Le(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

// A chunk whose size field tells the truth, padded to an even length.
std::string Chunk(const std::string& name, const std::string& body) {
  std::string chunk = name + Le(static_cast<std::uint32_t>(body.size()), 4) + body;
  if (body.size() % 2 != 0) chunk += '\0';
  return chunk;
}

// A chunk whose size field says what the caller wants, whatever follows it.
std::string ChunkClaiming(const std::string& name, std::uint32_t size, const std::string& body) {
  return name + Le(size, 4) + body;
}

std::string Riff(const std::string& chunks) {
  return "RIFF" + Le(static_cast<std::uint32_t>(4 + chunks.size()), 4) + "WAVE" + chunks;
}

// The fields of a "fmt " chunk; the defaults are those of the game's own sounds.
struct Format {
  std::uint16_t encoding = 1;
  std::uint16_t channels = 1;
  std::uint32_t sampleRate = 22050;
  std::uint32_t byteRate = 44100;
  std::uint16_t blockAlign = 2;
  std::uint16_t bitsPerSample = 16;
};

// A PCM format as a sound editor writes it: frames of whole bytes.
Format Pcm(std::uint16_t channels, std::uint16_t bits, std::uint32_t rate = 22050) {
  const auto frame = static_cast<std::uint16_t>(channels * ((bits + 7) / 8));
  return {1, channels, rate, rate * frame, frame, bits};
}

std::string FormatChunk(const Format& format, const std::string& extension = "") {
  return Chunk("fmt ", Le(format.encoding, 2) + Le(format.channels, 2) + Le(format.sampleRate, 4) +
                           Le(format.byteRate, 4) + Le(format.blockAlign, 2) +
                           Le(format.bitsPerSample, 2) + extension);
}

std::string Samples(std::uint32_t bytes) {
  return std::string(bytes, '\x40');
}

// A sound of 400 sample frames.
std::string Wave(const Format& format) {
  return Riff(FormatChunk(format) + Chunk("data", Samples(400u * format.blockAlign)));
}

class WaveFileTest : public TempFolderTest {
 protected:
  // A file of `size` bytes that starts with `head` and is zeros after it, taking no disk.
  std::filesystem::path WriteSparse(const std::string& name, const std::string& head, off_t size) {
    std::filesystem::path file = Write(name, head);
    EXPECT_EQ(::truncate(file.c_str(), size), 0) << file;
    return file;
  }

  bool Playable(const std::string& name, const std::string& bytes) {
    return IsPlayableWave(Write(name, bytes));
  }
};

TEST_F(WaveFileTest, SoundsThePlayerPlaysAreAccepted) {
  EXPECT_TRUE(Playable("8-bit-mono.dat", Wave(Pcm(1, 8))));
  EXPECT_TRUE(Playable("8-bit-stereo.dat", Wave(Pcm(2, 8))));
  EXPECT_TRUE(Playable("16-bit-mono.dat", Wave(Pcm(1, 16))));
  EXPECT_TRUE(Playable("16-bit-stereo.dat", Wave(Pcm(2, 16, 44100))));
  EXPECT_TRUE(Playable("24-bit.dat", Wave(Pcm(1, 24))));
  EXPECT_TRUE(Playable("32-bit.dat", Wave(Pcm(2, 32))));
  EXPECT_TRUE(Playable("slowest.dat", Wave(Pcm(1, 16, 1000))));
  EXPECT_TRUE(Playable("fastest.dat", Wave(Pcm(2, 16, 192000))));

  const std::string format = FormatChunk(Format{});
  const std::string data = Chunk("data", Samples(800));
  // A format chunk with the extra-size field some editors write.
  EXPECT_TRUE(Playable("long-format.dat", Riff(FormatChunk(Format{}, Le(0, 2)) + data)));
  // Even-sized chunks before and between are stepped over; a chunk after the data is not read.
  EXPECT_TRUE(Playable("list-first.dat", Riff(Chunk("LIST", "abcd") + format + data)));
  EXPECT_TRUE(Playable("list-between.dat", Riff(format + Chunk("LIST", "abcd") + data)));
  EXPECT_TRUE(Playable("list-after.dat", Riff(format + data + Chunk("LIST", "abc"))));
  // An odd number of bytes is a whole number of 8-bit mono frames.
  EXPECT_TRUE(Playable("odd-8-bit.dat", Riff(FormatChunk(Pcm(1, 8)) + Chunk("data", "abc"))));
  // The player plays a sound whatever its RIFF size field says.
  const std::string sound = Wave(Format{});
  EXPECT_TRUE(Playable("riff-too-large.dat", "RIFF" + Le(0xFFFFFFFF, 4) + sound.substr(8)));
  EXPECT_TRUE(Playable("riff-zero.dat", "RIFF" + Le(0, 4) + sound.substr(8)));
  // Sixteen chunks in all are read: fourteen empty ones, the format and the data.
  std::string fourteenEmpty;
  for (int i = 0; i < 14; ++i) fourteenEmpty += Chunk("JUNK", "");
  EXPECT_TRUE(Playable("sixteen-chunks.dat", Riff(fourteenEmpty + format + data)));
}

TEST_F(WaveFileTest, AFormatOutsideWhatTheGamePlaysIsRefused) {
  EXPECT_FALSE(Playable("float.dat", Wave({3, 1, 22050, 88200, 4, 32})));
  EXPECT_FALSE(Playable("extensible.dat", Wave({0xFFFE, 1, 22050, 44100, 2, 16})));
  EXPECT_FALSE(Playable("no-channels.dat", Wave({1, 0, 22050, 0, 0, 16})));
  EXPECT_FALSE(Playable("3-channels.dat", Wave(Pcm(3, 16))));
  EXPECT_FALSE(Playable("too-slow.dat", Wave(Pcm(1, 16, 999))));
  EXPECT_FALSE(Playable("too-fast.dat", Wave(Pcm(1, 16, 192001))));
  EXPECT_FALSE(Playable("12-bit.dat", Wave(Pcm(1, 12))));
  EXPECT_FALSE(Playable("64-bit.dat", Wave(Pcm(1, 64))));
  EXPECT_FALSE(Playable("no-block-align.dat", Wave({1, 1, 22050, 44100, 0, 16})));
  EXPECT_FALSE(Playable("odd-block-align.dat", Wave({1, 1, 22050, 66150, 3, 16})));
  EXPECT_FALSE(Playable("wrong-byte-rate.dat", Wave({1, 1, 22050, 44101, 2, 16})));

  const std::string data = Chunk("data", Samples(800));
  const std::string shortFormat = Chunk("fmt ", FormatChunk(Format{}).substr(8, 14));
  EXPECT_FALSE(Playable("short-format.dat", Riff(shortFormat + data)));
  EXPECT_FALSE(Playable("no-format.dat", Riff(data)));
  EXPECT_FALSE(Playable("format-after-data.dat", Riff(data + FormatChunk(Format{}))));
}

TEST_F(WaveFileTest, SoundDataThatIsNotAllThereIsRefused) {
  const std::string format = FormatChunk(Format{});
  EXPECT_FALSE(Playable("empty-data.dat", Riff(format + Chunk("data", ""))));
  EXPECT_FALSE(
      Playable("one-frame-short.dat", Riff(format + ChunkClaiming("data", 802, Samples(800)))));
  EXPECT_FALSE(Playable("cut-short.dat", Riff(format + ChunkClaiming("data", 9000, Samples(800)))));
  // 144 bytes whose data chunk claims 4 GiB.
  EXPECT_FALSE(
      Playable("claims-4-gib.dat", Riff(format + ChunkClaiming("data", 0xFFFFFFF0, Samples(100)))));
  // Half a sample frame at the end.
  EXPECT_FALSE(Playable("odd-16-bit.dat", Riff(format + Chunk("data", Samples(801)))));
  EXPECT_FALSE(
      Playable("half-stereo-frame.dat", Riff(FormatChunk(Pcm(2, 16)) + Chunk("data", "abcdef"))));
  // The player does not step over the pad byte of an odd-sized chunk and never finds the data.
  const std::string data = Chunk("data", Samples(800));
  EXPECT_FALSE(Playable("odd-chunk.dat", Riff(Chunk("LIST", "abc") + format + data)));
  EXPECT_FALSE(
      Playable("unpadded-chunk.dat", Riff(ChunkClaiming("LIST", 3, "abc") + format + data)));
}

TEST_F(WaveFileTest, AFileWithoutASoundIsRefused) {
  EXPECT_FALSE(IsPlayableWave(folder_ / "missing.dat"));
  EXPECT_FALSE(Playable("empty.dat", ""));
  EXPECT_FALSE(Playable("text.dat", "this is not a sound at all"));
  EXPECT_FALSE(Playable("cut-header.dat", Wave(Format{}).substr(0, 30)));
  EXPECT_FALSE(Playable("no-chunks.dat", Riff("")));
  EXPECT_FALSE(Playable("big-endian.dat", "RIFX" + Wave(Format{}).substr(4)));
  EXPECT_FALSE(Playable("junk-only.dat",
                        Riff(Chunk("JUNK", "abcd") + Chunk("LIST", "ab") + FormatChunk(Format{}))));
  // More chunks before the data than are read: fifteen empty ones, the format, then the data.
  std::string fifteenEmpty;
  for (int i = 0; i < 15; ++i) fifteenEmpty += Chunk("JUNK", "");
  EXPECT_FALSE(Playable("seventeen-chunks.dat",
                        Riff(fifteenEmpty + FormatChunk(Format{}) + Chunk("data", Samples(800)))));
}

TEST_F(WaveFileTest, WhatIsNoOrdinarySoundFileIsRefusedAtOnce) {
  EXPECT_FALSE(IsPlayableWave(folder_));
  EXPECT_FALSE(IsPlayableWave("/dev/zero"));

  // A FIFO holding a whole sound, kept open for writing: a check that read it would find the
  // sound and accept it (and one that read on would wait for ever for more).
  const std::filesystem::path fifo = folder_ / "fifo.dat";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(writer, 0);
  const std::string sound = Wave(Format{});
  ASSERT_EQ(::write(writer, sound.data(), sound.size()), static_cast<ssize_t>(sound.size()));
  EXPECT_FALSE(IsPlayableWave(fifo));
  ::close(writer);

  // Empty chunks all the way through 200 MB.
  EXPECT_FALSE(IsPlayableWave(WriteSparse("200-mb.dat", Riff(""), 200 * 1000 * 1000)));

  // Silence up to 16 MiB is the largest sound read; two bytes more are refused.
  const off_t largest = 16 * 1024 * 1024;
  const auto sampleBytes = static_cast<std::uint32_t>(largest - 44);
  const std::string header = Riff(FormatChunk(Format{}) + "data" + Le(sampleBytes, 4));
  EXPECT_TRUE(IsPlayableWave(WriteSparse("16-mib.dat", header, largest)));
  const std::string larger = Riff(FormatChunk(Format{}) + "data" + Le(sampleBytes + 2, 4));
  EXPECT_FALSE(IsPlayableWave(WriteSparse("over-16-mib.dat", larger, largest + 2)));
}

TEST_F(WaveFileTest, TheCheckLeavesNoFileOpen) {
  const auto openFiles = [] {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                         std::filesystem::directory_iterator());
  };
  const std::filesystem::path good = Write("good.dat", Wave(Format{}));
  const std::filesystem::path cut = Write("cut.dat", Wave(Format{}).substr(0, 100));
  const std::filesystem::path text = Write("text.dat", "not a sound");
  const std::ptrdiff_t before = openFiles();
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(IsPlayableWave(good));
    ASSERT_FALSE(IsPlayableWave(cut));
    ASSERT_FALSE(IsPlayableWave(text));
    ASSERT_FALSE(IsPlayableWave(folder_));
  }
  EXPECT_EQ(openFiles(), before);
}

}  // namespace
}  // namespace quillon::platform
