// The game's sounds through Qt Multimedia, built as a module of its own. The window loads it
// once its first frame is drawn, so Qt Multimedia and the audio libraries under it cost the
// start of the game nothing. The window checks every file before it comes here.
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

extern "C" {

// Readies the audio output; false when there is none.
Q_DECL_EXPORT bool quillon_sound_prepare() {
  return !QMediaDevices::audioOutputs().isEmpty();
}

// Starts the sound of a checked WAVE file and returns at once, cutting off one still playing;
// false when there is no audio output.
Q_DECL_EXPORT bool quillon_sound_play(const char* file) {
  if (QMediaDevices::audioOutputs().isEmpty()) return false;
  CutOff();
  effect = new QSoundEffect(QMediaDevices::defaultAudioOutput());
  effect->setSource(QUrl::fromLocalFile(QString::fromLocal8Bit(file)));
  effect->play();  // starts once the sound is loaded, in the background
  return true;
}

// Stops the sound playing, before the application goes.
Q_DECL_EXPORT void quillon_sound_stop() {
  CutOff();
}
}
