// The platform services of the game in the window: sounds through Qt Multimedia, web addresses
// through the desktop's default application.
#pragma once

#include <QLibrary>
#include <QString>
#include <filesystem>
#include <string>

#include "engine/services.h"

namespace quillon::qt {

// Where the sound module lies: beside the game in a build tree, or in the installed tree's
// library folder.
QString SoundModulePath();

class QtSoundPlayer : public engine::SoundPlayer {
 public:
  // `folder` holds the game's sounds; the game names them "data/ip.dat" and the like. The
  // sounds play through the module at `module`. With `silentWithoutOutput`, a machine without
  // audio output (or without the module) plays a sound to nobody rather than failing it: the
  // game then goes the same way on any machine, as a recording and its replay must.
  explicit QtSoundPlayer(std::filesystem::path folder, bool silentWithoutOutput = false,
                         QString module = SoundModulePath());
  ~QtSoundPlayer() override;

  // Starts the sound and returns at once; a new sound cuts off one still playing. False at
  // once when the file is missing or no playable WAVE sound, and, unless it plays silently
  // then, when the sound module cannot be loaded or there is no audio output.
  bool Play(const std::string& path) override;

  // Loads the sound module and readies the audio output, so that the first sound does not wait
  // for them; the first Play does it otherwise. False when the module cannot be loaded.
  bool Prepare();

 private:
  bool Load();

  std::filesystem::path folder_;
  bool silentWithoutOutput_;
  QLibrary module_;
  bool loadTried_ = false;
  bool (*prepare_)() = nullptr;
  bool (*play_)(const char*) = nullptr;
  void (*stop_)() = nullptr;
};

class QtDocumentOpener : public engine::DocumentOpener {
 public:
  void Open(const std::string& target) override;
};

}  // namespace quillon::qt
