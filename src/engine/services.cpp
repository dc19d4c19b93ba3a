#include "engine/services.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <locale>
#include <sstream>
#include <system_error>

namespace engine {

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

std::string EnvironmentLocaleName() {
  try {
    return std::locale("").name();
  } catch (const std::runtime_error&) {
    return "C";  // the environment names a locale this machine does not have
  }
}

}  // namespace

LocaleDateFormatter::LocaleDateFormatter() : localeName_(EnvironmentLocaleName()) {
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

std::filesystem::path SoundFile(const std::filesystem::path& soundFolder, const std::string& path) {
  const std::filesystem::path relative(path);
  auto part = relative.begin();
  if (part == relative.end() || *part != "data") return soundFolder / relative;
  std::filesystem::path file = soundFolder;
  for (++part; part != relative.end(); ++part) file /= *part;
  return file;
}

bool IsPlayableWave(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::array<char, 12> riff{};
  if (!in.read(riff.data(), riff.size())) return false;
  if (std::memcmp(riff.data(), "RIFF", 4) != 0 || std::memcmp(riff.data() + 8, "WAVE", 4) != 0) {
    return false;
  }
  // Walk the chunks: a sound needs a PCM "fmt " chunk and a non-empty "data" chunk.
  bool pcm = false;
  std::array<char, 8> header{};
  while (in.read(header.data(), header.size())) {
    std::uint32_t size = 0;
    for (int i = 3; i >= 0; --i) {
      size = (size << 8) | static_cast<unsigned char>(header[4 + static_cast<size_t>(i)]);
    }
    if (std::memcmp(header.data(), "fmt ", 4) == 0) {
      std::array<char, 2> format{};
      if (size < 16 || !in.read(format.data(), format.size())) return false;
      pcm = static_cast<unsigned char>(format[0]) == 1 && format[1] == 0;
      in.seekg(static_cast<std::streamoff>(size) - 2 + (size & 1), std::ios::cur);
    } else if (std::memcmp(header.data(), "data", 4) == 0) {
      return pcm && size > 0;
    } else {
      in.seekg(static_cast<std::streamoff>(size) + (size & 1), std::ios::cur);
    }
  }
  return false;
}

}  // namespace engine
