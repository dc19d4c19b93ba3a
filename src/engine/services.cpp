#include "engine/services.h"

#include <ctime>
#include <cwchar>
#include <iomanip>
#include <locale>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillon::engine {

std::string CzechShortDate(Date date) {
  std::ostringstream out;
  out << static_cast<unsigned>(date.day()) << '.' << static_cast<unsigned>(date.month()) << '.'
      << static_cast<int>(date.year());
  return out.str();
}

#ifndef __EMSCRIPTEN__
namespace {

std::tm ToTm(Date date) {
  std::tm tm{};
  tm.tm_year = static_cast<int>(date.year()) - 1900;
  tm.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
  tm.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
  tm.tm_hour = 12;
  return tm;
}

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

// The date in the locale's short format, in UTF-8 whatever the locale's own encoding
// (ja_JP.EUC-JP, cs_CZ.ISO-8859-2), as the window and the scripts take every text: formatted in
// wide characters, which hold Unicode here, then encoded. Nothing when it cannot be.
std::optional<std::string> Utf8LocaleDate(const std::locale& locale, const std::tm& tm) {
  static_assert(sizeof(wchar_t) == sizeof(char32_t), "wide characters must hold Unicode");
  std::wostringstream wide;
  wide.imbue(locale);
  wide << std::put_time(&tm, L"%x");
  const std::wstring text = wide.str();
  if (!wide || text.empty()) return std::nullopt;

  const std::u32string unicode(text.begin(), text.end());
  using Utf8 = std::codecvt<char32_t, char8_t, std::mbstate_t>;
  const Utf8& utf8 = std::use_facet<Utf8>(std::locale::classic());
  std::u8string encoded(unicode.size() * 4, u8'\0');
  std::mbstate_t state{};
  const char32_t* unread = nullptr;
  char8_t* end = nullptr;
  if (utf8.out(state, unicode.data(), unicode.data() + unicode.size(), unread, encoded.data(),
               encoded.data() + encoded.size(), end) != Utf8::ok) {
    return std::nullopt;
  }
  return std::string(encoded.begin(), encoded.begin() + (end - encoded.data()));
}

}  // namespace
#endif

#ifdef __EMSCRIPTEN__
// The browser's C library has no locale's date format of its own ("11/20/10" for every locale):
// the game's own Czech date serves instead, and the locale, slow to make there, is not made.
LocaleDateFormatter::LocaleDateFormatter() = default;
#else
LocaleDateFormatter::LocaleDateFormatter() {
  const std::string name = EnvironmentTimeLocaleName();
  if (name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0) return;
  try {
    locale_ = std::locale(name);
  } catch (const std::runtime_error&) {
    // the Czech format, as for a locale this machine does not have
  }
}
#endif

std::string LocaleDateFormatter::ShortDate(Date date) const {
#ifndef __EMSCRIPTEN__
  if (locale_) {
    if (const std::optional<std::string> text = Utf8LocaleDate(*locale_, ToTm(date))) return *text;
  }
#endif
  return CzechShortDate(date);
}

SteadyClock::SteadyClock() : start_(std::chrono::steady_clock::now()) {}

std::int64_t SteadyClock::NowMs() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               start_)
      .count();
}

}  // namespace quillon::engine
