#include "engine/services.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace quillon::engine {
namespace {

// Sets an environment variable for the life of the object, or removes it for nullptr.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* saved = std::getenv(name)) saved_ = saved;
    Set(value);
  }
  ~ScopedEnvironment() { Set(saved_ ? saved_->c_str() : nullptr); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  void Set(const char* value) {
    if (value) {
      setenv(name_, value, 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

TEST(DateTest, WithoutAUsableLocaleTheGameUsesItsOwnCzechFormat) {
  using namespace std::chrono;
  ScopedEnvironment language("LANG", nullptr);
  ScopedEnvironment dates("LC_TIME", nullptr);
  ScopedEnvironment all("LC_ALL", nullptr);
  for (const char* locale : {"C", "POSIX", "C.UTF-8", "C.utf8", "xx_NOWHERE.UTF-8"}) {
    all.Set(locale);
    EXPECT_EQ(LocaleDateFormatter().ShortDate(year{2010} / November / 20), "20.11.2010") << locale;
  }
  // The categories name different locales, none of them a real one.
  all.Set(nullptr);
  language.Set("C.UTF-8");
  dates.Set("C");
  EXPECT_EQ(LocaleDateFormatter().ShortDate(year{2011} / January / 2), "2.1.2011");
}

}  // namespace
}  // namespace quillon::engine
