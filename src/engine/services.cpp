#include "engine/services.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <locale>
#include <optional>
#include <span>
#include <sstream>
#include <string_view>
#include <system_error>

namespace quillon::engine {

namespace {

std::tm ToTm(Date date) {
  std::tm tm{};
  tm.tm_year = static_cast<int>(date.year()) - 1900;
  tm.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
  tm.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
  tm.tm_hour = 12;
  return tm;
}

}  // namespace

std::string CzechShortDate(Date date) {
  std::ostringstream out;
  out << static_cast<unsigned>(date.day()) << '.' << static_cast<unsigned>(date.month()) << '.'
      << static_cast<int>(date.year());
  return out.str();
}

namespace {

// The environment's locale for dates: its name, or the LC_TIME part of it where the categories
// name different locales ("LC_CTYPE=C.UTF-8;LC_NUMERIC=C.UTF-8;LC_TIME=C;…").
std::string EnvironmentTimeLocaleName() {
  std::string name;
  try {
    name = std::locale("").name();
  } catch (const std::runtime_error&) {
    return "C";  // the environment names a locale this machine does not have
  }
  constexpr std::string_view kTimeCategory = "LC_TIME=";
  const std::size_t category = name.find(kTimeCategory);
  if (category == std::string::npos) return name;
  const std::size_t start = category + kTimeCategory.size();
  return name.substr(start, name.find(';', start) - start);
}

}  // namespace

LocaleDateFormatter::LocaleDateFormatter() : localeName_(EnvironmentTimeLocaleName()) {
  useLocale_ = !(localeName_ == "C" || localeName_ == "POSIX" || localeName_.rfind("C.", 0) == 0);
}

std::string LocaleDateFormatter::ShortDate(Date date) const {
  if (!useLocale_) return CzechShortDate(date);
  std::tm tm = ToTm(date);
  std::ostringstream out;
  out.imbue(std::locale(localeName_));
  out << std::put_time(&tm, "%x");
  return out.str();
}

SteadyClock::SteadyClock() : start_(std::chrono::steady_clock::now()) {}

std::int64_t SteadyClock::NowMs() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               start_)
      .count();
}

std::filesystem::path ExecutableFolder() {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path();
  return self.parent_path();
}

std::filesystem::path LocateSoundFolder(const std::filesystem::path& executableFolder,
                                        const std::filesystem::path& overrideFolder) {
  if (!overrideFolder.empty()) return overrideFolder;
  std::error_code error;
  const std::filesystem::path beside = executableFolder / "data";
  if (std::filesystem::is_directory(beside, error)) return beside;
  return (executableFolder / ".." / "share" / "quillon" / "data").lexically_normal();
}

std::filesystem::path SoundFolder() {
  const char* variable = std::getenv("QUILLON_DATA_DIR");
  return LocateSoundFolder(ExecutableFolder(), variable ? variable : "");
}

std::filesystem::path LocateModule(const std::filesystem::path& executableFolder,
                                   const std::filesystem::path& installedFolder,
                                   const std::string& file) {
  std::error_code error;
  const std::filesystem::path beside = executableFolder / file;
  if (std::filesystem::exists(beside, error)) return beside;
  return (executableFolder / ".." / installedFolder / file).lexically_normal();
}

std::filesystem::path SoundFile(const std::filesystem::path& soundFolder, const std::string& path) {
  const std::filesystem::path relative(path);
  auto part = relative.begin();
  if (part == relative.end() || *part != "data") return soundFolder / relative;
  std::filesystem::path file = soundFolder;
  for (++part; part != relative.end(); ++part) file /= *part;
  return file;
}

namespace {

// The game's sounds are 2 KB and 150 KB; a larger file is no sound of the game's and is not read.
constexpr std::uint64_t kLargestSoundFile = 16 * 1024 * 1024;
// The most chunk headers read, the sound data's among them (the game's sounds have two).
constexpr int kMostChunks = 16;
constexpr std::uint64_t kRiffHeaderSize = 12;  // "RIFF", its size, "WAVE"
constexpr std::uint64_t kChunkHeaderSize = 8;  // its name and the size of its body
constexpr std::uint32_t kFormatBodySize = 16;  // the PCM fields of "fmt "
constexpr std::uint16_t kPcm = 1;

// A descriptor closed on every way out.
class FileDescriptor {
 public:
  explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
  ~FileDescriptor() {
    if (IsOpen()) ::close(descriptor_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  bool IsOpen() const { return descriptor_ >= 0; }
  int Get() const { return descriptor_; }

 private:
  int descriptor_;
};

// Reads exactly `bytes.size()` bytes at `offset`; false when the file ends before.
bool ReadAt(int descriptor, std::uint64_t offset, std::span<unsigned char> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::pread(descriptor, bytes.data() + done, bytes.size() - done,
                                static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

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

std::optional<Chunk> ReadChunkHeader(int descriptor, std::uint64_t offset) {
  std::array<unsigned char, kChunkHeaderSize> header{};
  if (!ReadAt(descriptor, offset, header)) return std::nullopt;
  Chunk chunk;
  std::memcpy(chunk.name.data(), header.data(), 4);
  chunk.size = Little32(header.data() + 4);
  chunk.bodyOffset = offset + kChunkHeaderSize;
  return chunk;
}

bool HasRiffWaveHeader(int descriptor) {
  std::array<unsigned char, kRiffHeaderSize> header{};
  // The RIFF size field is not checked: the player plays files where it is too large or small.
  return ReadAt(descriptor, 0, header) && std::memcmp(header.data(), "RIFF", 4) == 0 &&
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

std::optional<WaveFormat> ReadFormat(int descriptor, const Chunk& chunk) {
  std::array<unsigned char, kFormatBodySize> body{};
  if (chunk.size < body.size() || !ReadAt(descriptor, chunk.bodyOffset, body)) {
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
  // Non-blocking, so that opening a FIFO with no writer returns at once.
  const FileDescriptor descriptor(
      ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!descriptor.IsOpen()) return false;
  struct stat status {};
  // Only a regular file: a FIFO or a device would block its reader or never end.
  if (::fstat(descriptor.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  const auto fileSize = static_cast<std::uint64_t>(status.st_size);
  if (fileSize > kLargestSoundFile || !HasRiffWaveHeader(descriptor.Get())) return false;

  // Only chunk headers and the format are read; the samples never are.
  std::optional<WaveFormat> format;
  std::uint64_t offset = kRiffHeaderSize;
  for (int seen = 0; seen < kMostChunks; ++seen) {
    const std::optional<Chunk> chunk = ReadChunkHeader(descriptor.Get(), offset);
    if (!chunk) return false;
    if (chunk->Is("data")) {
      return format && HasPlayableSamples(*format) && IsConsistent(*format) &&
             HasPlayableData(*chunk, *format, fileSize);
    }
    // The player does not step over the pad byte after an odd-sized chunk and loses its way.
    if (chunk->size % 2 != 0) return false;
    if (chunk->Is("fmt ") && !format) {
      format = ReadFormat(descriptor.Get(), *chunk);
      if (!format) return false;
    }
    offset = chunk->bodyOffset + chunk->size;
  }
  return false;
}

}  // namespace quillon::engine
