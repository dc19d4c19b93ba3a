#include "qt/qt_services.h"

#include <QAudioDevice>
#include <QDesktopServices>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace quillon::window {

QtSoundPlayer::QtSoundPlayer(std::filesystem::path folder) : folder_(std::move(folder)) {}

QtSoundPlayer::~QtSoundPlayer() = default;

bool QtSoundPlayer::Play(const std::string& path) {
  const std::filesystem::path file = engine::SoundFile(folder_, path);
  if (!engine::IsPlayableWave(file)) return false;
  const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
  if (outputs.isEmpty()) return false;

  if (effect_) effect_->stop();
  effect_ = std::make_unique<QSoundEffect>(QMediaDevices::defaultAudioOutput());
  effect_->setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
  effect_->play();  // starts once the sound is loaded, in the background
  return true;
}

void QtDocumentOpener::Open(const std::string& target) {
  QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(target)));
}

}  // namespace quillon::window
