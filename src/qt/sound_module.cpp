// The game's sounds through Qt Multimedia, built as a module of its own. The window loads it
// once its first frame is drawn, so Qt Multimedia and the audio libraries under it cost the
// start of the game nothing. The window checks every file before it comes here. Only the entry
// points of sound_module.h are visible from outside.
#include "qt/sound_module.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace {

// One sound at a time; a fresh effect for every sound, since one that failed to load once stays
// failed.
QSoundEffect* effect = nullptr;

void CutOff() {
  if (!effect) return;
  effect->stop();
  delete effect;
  effect = nullptr;
}

}  // namespace

int quillon_sound_interface() {
  return quillon::qt::kSoundInterface;
}

bool quillon_sound_prepare() {
  return !QMediaDevices::audioOutputs().isEmpty();
}

bool quillon_sound_play(const char* file) {
  if (QMediaDevices::audioOutputs().isEmpty()) return false;
  CutOff();
  effect = new QSoundEffect(QMediaDevices::defaultAudioOutput());
  effect->setSource(QUrl::fromLocalFile(QString::fromLocal8Bit(file)));
  effect->play();  // starts once the sound is loaded, in the background
  return true;
}

void quillon_sound_stop() {
  CutOff();
}
