// The platform services in the window: sounds through Qt Multimedia, web addresses through the
// desktop's default application.
#include <gtest/gtest.h>

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

// The sounds play through a module loaded after start-up; without it no sound plays, and the
// game shows its notice as for a missing sound.
TEST_F(SoundTest, TheSoundsNeedTheirModule) {
  qt::QtSoundPlayer player(SoundFolder(), false, QUILLON_SOUND_MODULE);
  EXPECT_TRUE(player.Prepare());
  qt::QtSoundPlayer withoutModule(SoundFolder(), false, dir.filePath("libquillon_sound.so"));
  EXPECT_FALSE(withoutModule.Prepare());
  EXPECT_FALSE(withoutModule.Play("data/click.dat"));
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
