#include "engine/services.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace engine {
namespace {

class WaveFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("quillon-wave-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path Write(const std::string& name, const std::string& bytes) {
    std::filesystem::path file = folder_ / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }

  static std::string Le(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
  }

  static std::string Wave(int format, const std::string& extraChunk, std::uint32_t dataSize) {
    std::string fmt = "fmt " + Le(16, 4) + Le(static_cast<std::uint32_t>(format), 2) + Le(1, 2) +
                      Le(22050, 4) + Le(44100, 4) + Le(2, 2) + Le(16, 2);
    std::string data = "data" + Le(dataSize, 4) + std::string(dataSize, '\0');
    std::string body = "WAVE" + fmt + extraChunk + data;
    return "RIFF" + Le(static_cast<std::uint32_t>(body.size()), 4) + body;
  }

  std::filesystem::path folder_;
};

TEST_F(WaveFileTest, APcmWaveCanBePlayedAndAnythingElseCannot) {
  EXPECT_TRUE(IsPlayableWave(Write("ok.dat", Wave(1, "", 8))));
  // Chunks before the sound data (an odd-sized one is padded) are stepped over.
  EXPECT_TRUE(
      IsPlayableWave(Write("list.dat", Wave(1, "LIST" + Le(3, 4) + std::string("abc\0", 4), 8))));

  EXPECT_FALSE(IsPlayableWave(folder_ / "missing.dat"));
  EXPECT_FALSE(IsPlayableWave(Write("empty.dat", "")));
  EXPECT_FALSE(IsPlayableWave(Write("text.dat", "this is not a sound at all")));
  EXPECT_FALSE(IsPlayableWave(Write("float.dat", Wave(3, "", 8))));
  EXPECT_FALSE(IsPlayableWave(Write("silent.dat", Wave(1, "", 0))));
  std::string cut = Wave(1, "", 8);
  EXPECT_FALSE(IsPlayableWave(Write("cut.dat", cut.substr(0, 30))));
  EXPECT_FALSE(IsPlayableWave(folder_));  // a folder is no sound
}

TEST_F(WaveFileTest, TheSoundsAreFoundBesideTheGameOrInItsInstalledTree) {
  // A build tree: data/ beside the executable.
  std::filesystem::create_directories(folder_ / "build" / "data");
  EXPECT_EQ(LocateSoundFolder(folder_ / "build"), folder_ / "build" / "data");
  // An installed tree: bin/ beside share/quillon/data, whatever the prefix.
  EXPECT_EQ(LocateSoundFolder(folder_ / "usr" / "bin"),
            folder_ / "usr" / "share" / "quillon" / "data");
  EXPECT_EQ(LocateSoundFolder(folder_ / "usr" / "games"),
            folder_ / "usr" / "share" / "quillon" / "data");
  // The player's folder wins over both, even where it holds nothing.
  EXPECT_EQ(LocateSoundFolder(folder_ / "build", "/nowhere/sounds"), "/nowhere/sounds");
}

TEST(SoundFileTest, TheGamesDataPathsNameFilesInTheSoundFolder) {
  EXPECT_EQ(SoundFile("/usr/share/quillon/data", "data/ip.dat"), "/usr/share/quillon/data/ip.dat");
  EXPECT_EQ(SoundFile("/opt/sounds", "data/about.dat"), "/opt/sounds/about.dat");
  EXPECT_EQ(SoundFile("/opt/sounds", "other/x.dat"), "/opt/sounds/other/x.dat");
}

TEST(DateTest, CzechShortDateHasNoLeadingZerosAndAFullYear) {
  using namespace std::chrono;
  EXPECT_EQ(CzechShortDate(year{2010} / November / 20), "20.11.2010");
  EXPECT_EQ(CzechShortDate(year{2010} / December / 1), "1.12.2010");
}

TEST(DateTest, WithoutAUsableLocaleTheGameUsesItsOwnCzechFormat) {
  using namespace std::chrono;
  const char* saved = std::getenv("LC_ALL");
  const std::string previous = saved ? saved : "";
  for (const char* locale : {"C", "POSIX", "xx_NOWHERE.UTF-8"}) {
    setenv("LC_ALL", locale, 1);
    EXPECT_EQ(LocaleDateFormatter().ShortDate(year{2011} / January / 2), "2.1.2011") << locale;
  }
  if (saved) {
    setenv("LC_ALL", previous.c_str(), 1);
  } else {
    unsetenv("LC_ALL");
  }
}

}  // namespace
}  // namespace engine
