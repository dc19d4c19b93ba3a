// The platform services in the window: sounds through Qt Multimedia, web addresses through the
// desktop's default application.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QMediaDevices>
#include <QObject>
#include <QTemporaryDir>
#include <QUrl>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "qt/qt_services.h"

namespace quillon::testing {
namespace {

void WriteLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(char((value >> (8 * i)) & 0xFF));
}

// A short PCM WAVE click of 800 samples whose data chunk claims `claimedDataBytes`.
void WriteWave(const std::filesystem::path& file, std::uint32_t claimedDataBytes = 1600) {
  std::ofstream out(file, std::ios::binary);
  const std::uint32_t samples = 800;
  out.write("RIFF", 4);
  WriteLittleEndian(out, 36 + samples * 2, 4);
  out.write("WAVEfmt ", 8);
  WriteLittleEndian(out, 16, 4);
  WriteLittleEndian(out, 1, 2);      // PCM
  WriteLittleEndian(out, 1, 2);      // mono
  WriteLittleEndian(out, 8000, 4);   // samples per second
  WriteLittleEndian(out, 16000, 4);  // bytes per second
  WriteLittleEndian(out, 2, 2);
  WriteLittleEndian(out, 16, 2);
  out.write("data", 4);
  WriteLittleEndian(out, claimedDataBytes, 4);
  for (std::uint32_t i = 0; i < samples; ++i) WriteLittleEndian(out, (i % 16) < 8 ? 3000 : 0, 2);
}

class SoundTest : public ::testing::Test {
 protected:
  SoundTest() {
    WriteWave(SoundFolder() / "click.dat");
    std::ofstream(SoundFolder() / "noise.dat") << "not a sound at all";
    WriteWave(SoundFolder() / "cut.dat", 2600);         // the data chunk runs past the file's end
    WriteWave(SoundFolder() / "huge.dat", 0xFFFFFFF0);  // it claims 4 GiB
  }
  // The game names its sounds "data/click.dat"; they lie in the sound folder itself.
  std::filesystem::path SoundFolder() const { return dir.path().toStdString(); }
  static bool HasAudioOutput() { return !QMediaDevices::audioOutputs().isEmpty(); }

  QTemporaryDir dir;
};

TEST_F(SoundTest, AMissingOrUnplayableFileCannotBePlayed) {
  qt::QtSoundPlayer player(SoundFolder(), false, QUILLON_SOUND_MODULE);
  EXPECT_FALSE(player.Play("data/missing.dat"));
  EXPECT_FALSE(player.Play("data/noise.dat"));
  EXPECT_FALSE(player.Play("data/cut.dat"));
  EXPECT_FALSE(player.Play("data/huge.dat"));
  EXPECT_FALSE(player.Play("data"));  // the sound folder itself
  // Sounds are looked up in the player's folder only.
  qt::QtSoundPlayer elsewhere(SoundFolder() / "other", false, QUILLON_SOUND_MODULE);
  EXPECT_FALSE(elsewhere.Play("data/click.dat"));
}

// Without an audio output (as on a build machine) no sound plays: then Play is false too.
TEST_F(SoundTest, AWaveSoundPlaysWhereThereIsAnAudioOutput) {
  qt::QtSoundPlayer player(SoundFolder(), false, QUILLON_SOUND_MODULE);
  // Each sound cuts off the one before; a failing one in between changes nothing.
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(player.Play("data/click.dat"), HasAudioOutput());
    EXPECT_FALSE(player.Play("data/cut.dat"));
    QCoreApplication::processEvents();
  }
}

// The sounds play through a module loaded after start-up. One that is missing, damaged or of
// another version is refused, with one line, before it can harm the game, which plays on as
// without sounds: the game shows its notice, or plays silently where it was asked to.
TEST_F(SoundTest, AModuleThatCannotBeUsedIsRefusedOnceAndTheGamePlaysOn) {
  qt::QtSoundPlayer player(SoundFolder(), false, QUILLON_SOUND_MODULE);
  EXPECT_TRUE(player.Prepare());

  const std::filesystem::path cut = SoundFolder() / "libquillon_sound.so";
  std::filesystem::copy_file(QUILLON_SOUND_MODULE, cut);
  std::filesystem::resize_file(cut, std::filesystem::file_size(cut) / 2);
  const std::filesystem::path missing = SoundFolder() / "missing" / "libquillon_sound.so";
  // A FIFO in the module's place: loading it would wait for a writer that never comes.
  const std::filesystem::path fifo = SoundFolder() / "fifo" / "libquillon_sound.so";
  std::filesystem::create_directory(fifo.parent_path());
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::vector<std::pair<std::filesystem::path, std::string>> refusals = {
      {cut, cut.string() + ": it is cut short"},
      {fifo, fifo.string() + ": it is no regular file"},
      {missing, missing.string() + ": No such file or directory"},
      {QUILLON_OTHER_SOUND_MODULE,
       QUILLON_OTHER_SOUND_MODULE ": it is the sound module of another version of the game"},
      {"",
       "the sound module cannot be found: the game's own folder cannot be known (/proc is not "
       "mounted)"}};
  for (const auto& [module, refusal] : refusals) {
    for (const bool silent : {false, true}) {
      ::testing::internal::CaptureStderr();
      qt::QtSoundPlayer refusing(SoundFolder(), silent, module);
      EXPECT_EQ(refusing.Play("data/click.dat"), silent);
      EXPECT_FALSE(refusing.Prepare());
      EXPECT_EQ(refusing.Play("data/click.dat"), silent);
      EXPECT_EQ(::testing::internal::GetCapturedStderr(), "quillon: no sounds: " + refusal + "\n");
    }
  }
}

// Without a sound folder (no /proc, no QUILLON_DATA_DIR) every sound fails as a missing one,
// silent or not, and the module is not loaded: the game has said why it has no sounds.
TEST_F(SoundTest, WithoutASoundFolderNoSoundPlays) {
  ::testing::internal::CaptureStderr();
  qt::QtSoundPlayer player("", true, QUILLON_SOUND_MODULE);
  EXPECT_FALSE(player.Play("data/click.dat"));
  EXPECT_FALSE(player.Prepare());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

class UrlCatcher : public QObject {
  Q_OBJECT
 public Q_SLOTS:
  void Open(const QUrl& url) { opened.push_back(url); }

 public:
  std::vector<QUrl> opened;
};

TEST(DocumentOpenerTest, AWebAddressGoesToTheDesktopsDefaultApplication) {
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler("http", &catcher, "Open");
  qt::QtDocumentOpener opener;
  opener.Open("http://www.pergamen-studio.example/");
  QDesktopServices::unsetUrlHandler("http");
  ASSERT_EQ(catcher.opened.size(), 1u);
  EXPECT_EQ(catcher.opened[0], QUrl("http://www.pergamen-studio.example/"));
}

}  // namespace
}  // namespace quillon::testing

#include "services_test.moc"
