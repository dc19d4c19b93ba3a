// The services the game uses, each behind a small interface so that the game runs the same in
// the window, in script mode and in tests, and the clocks and date formats it uses. Where the
// game's files lie and whether they may be read is the platform's (src/platform).
#pragma once

#include <chrono>
#include <cstdint>
#include <locale>
#include <optional>
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

// The locale's short date format, from the environment's locale for dates (LC_TIME), in UTF-8
// whatever the locale's own encoding. Without a real locale (C, C.UTF-8 or POSIX) it uses the
// Czech one, the game's own language: "20.11.2010".
class LocaleDateFormatter : public DateFormatter {
 public:
  LocaleDateFormatter();
  std::string ShortDate(Date date) const override;

 private:
  std::optional<std::locale> locale_;  // none: the Czech format
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
  // The time, for whoever moves the clock: not counted as a read.
  std::int64_t Time() const { return now_; }
  std::uint64_t Reads() const { return reads_; }

 private:
  std::int64_t now_ = 0;
  mutable std::uint64_t reads_ = 0;
};

}  // namespace quillon::engine
