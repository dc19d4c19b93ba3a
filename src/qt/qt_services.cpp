#include "qt/qt_services.h"

#include <QDesktopServices>
#include <QUrl>
#include <iostream>

namespace quillon::qt {

QString SoundModulePath() {
  const std::filesystem::path module =
      engine::LocateModule(engine::ExecutableFolder(), QUILLON_MODULE_DIR, "libquillon_sound.so");
  return QString::fromStdString(module.string());
}

QtSoundPlayer::QtSoundPlayer(std::filesystem::path folder, bool silentWithoutOutput, QString module)
    : folder_(std::move(folder)), silentWithoutOutput_(silentWithoutOutput), module_(module) {}

QtSoundPlayer::~QtSoundPlayer() {
  if (stop_) stop_();
}

bool QtSoundPlayer::Load() {
  if (!loadTried_) {
    loadTried_ = true;
    prepare_ = reinterpret_cast<bool (*)()>(module_.resolve("quillon_sound_prepare"));
    play_ = reinterpret_cast<bool (*)(const char*)>(module_.resolve("quillon_sound_play"));
    stop_ = reinterpret_cast<void (*)()>(module_.resolve("quillon_sound_stop"));
    if (!prepare_ || !play_ || !stop_) {
      prepare_ = nullptr;
      play_ = nullptr;
      stop_ = nullptr;
      std::cerr << "quillon: no sounds: " << module_.errorString().toStdString() << '\n';
    }
  }
  return play_ != nullptr;
}

bool QtSoundPlayer::Prepare() {
  if (!Load()) return false;
  prepare_();
  return true;
}

bool QtSoundPlayer::Play(const std::string& path) {
  const std::filesystem::path file = engine::SoundFile(folder_, path);
  // A file that passes the check loads whole: the effect never sees one that would keep it
  // waiting for samples that are not there, or make it set aside memory for 4 GiB of them.
  if (!engine::IsPlayableWave(file)) return false;
  const bool played = Load() && play_(file.c_str());
  return played || silentWithoutOutput_;
}

void QtDocumentOpener::Open(const std::string& target) {
  QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(target)));
}

}  // namespace quillon::qt
