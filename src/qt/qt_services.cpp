#include "qt/qt_services.h"

#include <QAudioDevice>
#include <QDesktopServices>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace quillon::window {

QtSoundPlayer::QtSoundPlayer(std::filesystem::path folder, bool silentWithoutOutput)
    : folder_(std::move(folder)), silentWithoutOutput_(silentWithoutOutput) {}

QtSoundPlayer::~QtSoundPlayer() {
  CutOff();
}

bool QtSoundPlayer::Play(const std::string& path) {
  const std::filesystem::path file = engine::SoundFile(folder_, path);
  // A file that passes the check loads whole: the effect never sees one that would keep it
  // waiting for samples that are not there, or make it set aside memory for 4 GiB of them.
  if (!engine::IsPlayableWave(file)) return false;
  if (QMediaDevices::audioOutputs().isEmpty()) return silentWithoutOutput_;

  CutOff();
  effect_ = std::make_unique<QSoundEffect>(QMediaDevices::defaultAudioOutput());
  effect_->setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
  effect_->play();  // starts once the sound is loaded, in the background
  return true;
}

void QtSoundPlayer::CutOff() {
  if (!effect_) return;
  effect_->stop();
  effect_.reset();
}

void QtDocumentOpener::Open(const std::string& target) {
  QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(target)));
}

}  // namespace quillon::window
