#include "platform/folders.h"

#include "platform/temp_folder.h"
#include "platform/wave.h"

namespace quillon::platform {
namespace {

using FoldersTest = TempFolderTest;

TEST_F(FoldersTest, TheSoundsAreFoundBesideTheGameOrInItsInstalledTree) {
  // A build tree: data/ beside the executable.
  std::filesystem::create_directories(folder_ / "build" / "data");
  EXPECT_EQ(LocateSoundFolder(folder_ / "build"), folder_ / "build" / "data");
  // An installed tree: bin/ beside share/quillon/data, whatever the prefix.
  EXPECT_EQ(LocateSoundFolder(folder_ / "usr" / "bin"),
            folder_ / "usr" / "share" / "quillon" / "data");
  EXPECT_EQ(LocateSoundFolder(folder_ / "usr" / "games"),
            folder_ / "usr" / "share" / "quillon" / "data");
  // Debian's package: /usr/games beside /usr/share/games/quillon/data, found first.
  std::filesystem::create_directories(folder_ / "usr" / "share" / "games" / "quillon" / "data");
  EXPECT_EQ(LocateSoundFolder(folder_ / "usr" / "games"),
            folder_ / "usr" / "share" / "games" / "quillon" / "data");
  // The player's folder wins over both, even where it holds nothing.
  EXPECT_EQ(LocateSoundFolder(folder_ / "build", "/nowhere/sounds"), "/nowhere/sounds");
}

TEST_F(FoldersTest, APlayersFolderThatIsNoFolderIsToldInOneLine) {
  std::filesystem::create_directories(folder_ / "sounds");
  Write("sounds.txt", "not a folder");
  EXPECT_EQ(OverrideFolderProblem(folder_ / "sounds"), "");
  EXPECT_EQ(OverrideFolderProblem(folder_ / "sounds.txt"),
            "QUILLON_DATA_DIR names " + (folder_ / "sounds.txt").string() +
                ", which is not a folder; the game plays without its sounds");
  EXPECT_EQ(OverrideFolderProblem(folder_ / "nowhere"),
            "QUILLON_DATA_DIR names " + (folder_ / "nowhere").string() +
                ", which does not exist; the game plays without its sounds");
  EXPECT_EQ(OverrideFolderProblem(folder_ / "sounds.txt" / "data"),
            "QUILLON_DATA_DIR names " + (folder_ / "sounds.txt" / "data").string() +
                ", which does not exist; the game plays without its sounds");
}

// Without /proc the game's own folder cannot be known: then the sounds come from the player's
// folder or from nowhere, never from the working directory, where anyone may have put a file.
TEST_F(FoldersTest, WithoutTheGamesFolderTheWorkingDirectoryIsNeverUsed) {
  EXPECT_EQ(LocateSoundFolder(std::nullopt, "/opt/sounds"), "/opt/sounds");
  EXPECT_EQ(LocateSoundFolder(std::nullopt), std::nullopt);

  std::filesystem::create_directories(folder_ / "data");
  std::filesystem::copy_file(QUILLON_DATA_FOLDER "/ip.dat", folder_ / "data" / "ip.dat");
  std::filesystem::copy_file(QUILLON_DATA_FOLDER "/ip.dat", folder_ / "ip.dat");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder_);
  EXPECT_EQ(SoundFile("", "data/ip.dat"), "");
  EXPECT_FALSE(IsPlayableWave(SoundFile("", "data/ip.dat")));
  EXPECT_FALSE(IsPlayableWave(SoundFile("", "ip.dat")));
  std::filesystem::current_path(before);
}

TEST_F(FoldersTest, TheGamesModulesAreFoundBesideTheGameOrInItsInstalledTree) {
  std::filesystem::create_directories(folder_ / "build");
  Write("build/libquillon_sound.so", "");
  EXPECT_EQ(LocateModule(folder_ / "build", "lib/x86_64-linux-gnu/quillon", "libquillon_sound.so"),
            folder_ / "build" / "libquillon_sound.so");
  EXPECT_EQ(LocateModule(folder_ / "usr" / "games", "lib/x86_64-linux-gnu/quillon",
                         "libquillon_sound.so"),
            folder_ / "usr" / "lib" / "x86_64-linux-gnu" / "quillon" / "libquillon_sound.so");
}

TEST(SoundFileTest, TheGamesDataPathsNameFilesInTheSoundFolder) {
  EXPECT_EQ(SoundFile("/usr/share/quillon/data", "data/ip.dat"), "/usr/share/quillon/data/ip.dat");
  EXPECT_EQ(SoundFile("/opt/sounds", "data/about.dat"), "/opt/sounds/about.dat");
  EXPECT_EQ(SoundFile("/opt/sounds", "other/x.dat"), "/opt/sounds/other/x.dat");
}

TEST(GameSoundsTest, TheSoundsTheGameGeneratesArePlayable) {
  // This test runs from tests/ in the build tree; the game and its data/ lie one folder up.
  const std::optional<std::filesystem::path> tests = ExecutableFolder();
  ASSERT_TRUE(tests);
  const std::optional<std::filesystem::path> folder = LocateSoundFolder(tests->parent_path());
  ASSERT_EQ(folder, std::filesystem::path(QUILLON_DATA_FOLDER));
  for (const char* sound : {"ip.dat", "about.dat"}) {
    EXPECT_TRUE(IsPlayableWave(*folder / sound)) << *folder / sound;
  }
}

}  // namespace
}  // namespace quillon::platform
