// The platform services of the game in the window: sounds through Qt Multimedia, web addresses
// through the desktop's default application.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "engine/services.h"

class QSoundEffect;

namespace quillon::window {

class QtSoundPlayer : public engine::SoundPlayer {
 public:
  // `folder` holds the game's sounds; the game names them "data/ip.dat" and the like. With
  // `silentWithoutOutput`, a machine without audio output plays a sound to nobody rather than
  // failing it: the game then goes the same way on any machine, as a recording and its replay
  // must.
  explicit QtSoundPlayer(std::filesystem::path folder, bool silentWithoutOutput = false);
  ~QtSoundPlayer() override;

  // Starts the sound and returns at once; a new sound cuts off one still playing. False at
  // once when the file is missing or no playable WAVE sound, or when there is no audio output
  // (unless it plays silently then).
  bool Play(const std::string& path) override;

 private:
  // Stops the sound playing and deletes its effect.
  void CutOff();

  std::filesystem::path folder_;
  bool silentWithoutOutput_;
  // A fresh effect for every sound: an effect that once failed to load stays failed.
  std::unique_ptr<QSoundEffect> effect_;
};

class QtDocumentOpener : public engine::DocumentOpener {
 public:
  void Open(const std::string& target) override;
};

}  // namespace quillon::window
