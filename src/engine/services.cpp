#include "engine/services.h"

#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>
#include <string_view>

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

#ifndef __EMSCRIPTEN__
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
#endif

#ifdef __EMSCRIPTEN__
// The browser's C library has no locale's date format of its own ("11/20/10" for every locale):
// the game's own Czech date serves instead, and the locale, slow to make there, is not made.
LocaleDateFormatter::LocaleDateFormatter() : localeName_("C") {}
#else
LocaleDateFormatter::LocaleDateFormatter() : localeName_(EnvironmentTimeLocaleName()) {
  useLocale_ = !(localeName_ == "C" || localeName_ == "POSIX" || localeName_.rfind("C.", 0) == 0);
}
#endif

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

}  // namespace quillon::engine
