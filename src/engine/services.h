// The platform services the game uses, each behind a small interface so that the game runs
// the same in the window, in script mode and in tests.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

namespace quillon::engine {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Starts the sound in the background, cutting off one still playing. The game names a sound
  // by a relative path ("data/ip.dat"). Returns false at once when it cannot be played.
  virtual bool Play(const std::string& path) = 0;
};

class DocumentOpener {
 public:
  virtual ~DocumentOpener() = default;
  // Opens a web address with the default application; the result is ignored.
  virtual void Open(const std::string& target) = 0;
};

using Date = std::chrono::year_month_day;

class DateFormatter {
 public:
  virtual ~DateFormatter() = default;
  virtual std::string ShortDate(Date date) const = 0;
};

// Milliseconds on a clock that never goes back; 0 is the start of the game in script mode.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t NowMs() const = 0;
};

// The locale's short date format, from the environment's locale for dates (LC_TIME). Without a
// real locale (C, C.UTF-8 or POSIX) it uses the Czech one, the game's own language: "20.11.2010".
class LocaleDateFormatter : public DateFormatter {
 public:
  LocaleDateFormatter();
  std::string ShortDate(Date date) const override;

 private:
  std::string localeName_;
  bool useLocale_ = false;
};

// Czech short date, "20.11.2010".
std::string CzechShortDate(Date date);

class SteadyClock : public Clock {
 public:
  SteadyClock();
  std::int64_t NowMs() const override;

 private:
  std::chrono::steady_clock::time_point start_;
};

// Virtual time, moved on by script mode and tests, and by the window from the real clock. It
// counts how often it is read, so that a front end can tell whether handling an event looked
// at the time.
class VirtualClock : public Clock {
 public:
  std::int64_t NowMs() const override {
    ++reads_;
    return now_;
  }
  void Set(std::int64_t ms) { now_ = ms; }
  std::uint64_t Reads() const { return reads_; }

 private:
  std::int64_t now_ = 0;
  mutable std::uint64_t reads_ = 0;
};

// The folder of the running executable.
std::filesystem::path ExecutableFolder();

// Where the game's sounds lie: `overrideFolder` when given (the player's QUILLON_DATA_DIR),
// else `data` beside the executable when it is there (a build tree), else
// `../share/quillon/data` relative to the executable (an installed tree, under any prefix).
std::filesystem::path LocateSoundFolder(const std::filesystem::path& executableFolder,
                                        const std::filesystem::path& overrideFolder = {});
// The same, with the override taken from the environment.
std::filesystem::path SoundFolder();

// A module of the game's own, `file`: beside the executable when it is there (a build tree),
// else in `installedFolder` relative to the executable's folder (an installed tree).
std::filesystem::path LocateModule(const std::filesystem::path& executableFolder,
                                   const std::filesystem::path& installedFolder,
                                   const std::string& file);

// The file of a sound that the game names by its path in the `data` folder ("data/ip.dat").
std::filesystem::path SoundFile(const std::filesystem::path& soundFolder, const std::string& path);

// True when the file holds a WAVE sound that the window's player really plays: a regular file
// of at most 16 MiB; 8, 16, 24 or 32-bit PCM, mono or stereo, 1 000 to 192 000 samples a
// second, its header consistent; a non-empty data chunk of whole sample frames that lies in the
// file and comes within the first 16 chunks, after the format. Reads only the headers, never
// blocks (a FIFO or a device is refused at once) and takes microseconds.
bool IsPlayableWave(const std::filesystem::path& file);

}  // namespace quillon::engine
