#include "engine/services.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
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

// A folder of locales made for a test from the machine's locale sources, since the machine may
// have no locale of another encoding generated; empty when they cannot be made here.
class MadeLocales {
 public:
  explicit MadeLocales(const std::string& source, const std::string& encoding) {
    std::string folder = (std::filesystem::temp_directory_path() / "quillon-locales-XXXXXX");
    if (!::mkdtemp(folder.data())) return;
    folder_ = folder;
    const std::string name = source + "." + encoding;
    const std::string command = "localedef -i " + source + " -f " + encoding + " '" +
                                (folder_ / name).string() + "' > /dev/null 2>&1";
    if (std::system(command.c_str()) == 0) name_ = name;
  }
  ~MadeLocales() {
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
  }
  MadeLocales(const MadeLocales&) = delete;
  MadeLocales& operator=(const MadeLocales&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }
  // The locale's name; empty when it could not be made.
  const std::string& Name() const { return name_; }

 private:
  std::filesystem::path folder_;
  std::string name_;
};

// The window and the scripts take every text as UTF-8: a date in a locale of another encoding
// (here "%Y年%m月%d日" in EUC-JP) comes in UTF-8, not as the locale's own bytes.
TEST(DateTest, ALocaleOfAnotherEncodingGivesItsDateInUtf8) {
  using namespace std::chrono;
  const MadeLocales japanese("ja_JP", "EUC-JP");
  if (japanese.Name().empty()) GTEST_SKIP() << "localedef cannot make ja_JP.EUC-JP here";
  ScopedEnvironment path("LOCPATH", japanese.Folder().c_str());
  ScopedEnvironment language("LANG", nullptr);
  ScopedEnvironment dates("LC_TIME", nullptr);
  ScopedEnvironment all("LC_ALL", japanese.Name().c_str());
  const LocaleDateFormatter formatter;
  EXPECT_EQ(formatter.ShortDate(year{2010} / November / 20), "2010年11月20日");
  EXPECT_EQ(formatter.ShortDate(year{9999} / December / 31), "9999年12月31日");

  // Only the locale for dates counts.
  all.Set(nullptr);
  language.Set("C.UTF-8");
  dates.Set(japanese.Name().c_str());
  EXPECT_EQ(LocaleDateFormatter().ShortDate(year{2011} / January / 2), "2011年01月02日");
}

}  // namespace
}  // namespace quillon::engine
