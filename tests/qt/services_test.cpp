// The platform services in the window: sounds through Qt Multimedia, web addresses through the
// desktop's default application.
#include <gtest/gtest.h>

#include <QAudioDevice>
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

// A short PCM WAVE click.
void WriteWave(const std::filesystem::path& file) {
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
  WriteLittleEndian(out, samples * 2, 4);
  for (std::uint32_t i = 0; i < samples; ++i) WriteLittleEndian(out, (i % 16) < 8 ? 3000 : 0, 2);
}

class SoundTest : public ::testing::Test {
 protected:
  SoundTest() {
    std::filesystem::create_directories(Folder() / "data");
    WriteWave(Folder() / "data" / "click.dat");
    std::ofstream(Folder() / "data" / "noise.dat") << "not a sound at all";
  }
  std::filesystem::path Folder() const { return dir.path().toStdString(); }

  QTemporaryDir dir;
};

TEST_F(SoundTest, AMissingOrUnplayableFileCannotBePlayed) {
  window::QtSoundPlayer player(Folder());
  EXPECT_FALSE(player.Play("data/missing.dat"));
  EXPECT_FALSE(player.Play("data/noise.dat"));
  EXPECT_FALSE(player.Play("data"));
  // Sounds are looked up in the game's folder, not the working directory.
  window::QtSoundPlayer elsewhere(Folder() / "data");
  EXPECT_FALSE(elsewhere.Play("data/click.dat"));
}

TEST_F(SoundTest, AWaveSoundPlaysWhereThereIsAnAudioOutput) {
  window::QtSoundPlayer player(Folder());
  const bool output = !QMediaDevices::audioOutputs().isEmpty();
  EXPECT_EQ(player.Play("data/click.dat"), output);
  // A second sound cuts off the first; a failing one in between changes nothing.
  EXPECT_FALSE(player.Play("data/missing.dat"));
  EXPECT_EQ(player.Play("data/click.dat"), output);
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
  window::QtDocumentOpener opener;
  opener.Open("http://www.pergamen-studio.example/");
  QDesktopServices::unsetUrlHandler("http");
  ASSERT_EQ(catcher.opened.size(), 1u);
  EXPECT_EQ(catcher.opened[0], QUrl("http://www.pergamen-studio.example/"));
}

}  // namespace
}  // namespace quillon::testing

#include "services_test.moc"
