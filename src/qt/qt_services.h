// The platform services of the game in the window: sounds through Qt Multimedia, web addresses
// through the desktop's default application.
#pragma once

#include <QLibrary>
#include <filesystem>
#include <optional>
#include <string>

#include "engine/services.h"
#include "qt/sound_module.h"

namespace quillon::qt {

// Where the sound module lies: beside the game in a build tree, or in the installed tree's
// library folder. Empty when the game's own folder cannot be known.
std::filesystem::path SoundModulePath();

class QtSoundPlayer : public engine::SoundPlayer {
 public:
  // `folder` holds the game's sounds; the game names them "data/ip.dat" and the like. Without
  // one (empty) every sound fails as a missing file does. The sounds play through the module at
  // `module`, which is checked before it is loaded and refused, with one line on standard error,
  // when it is damaged or of another interface. With `silentWithoutOutput`, a machine without
  // audio output (or without the module) plays a sound to nobody rather than failing it: the
  // game then goes the same way on any machine, as a recording and its replay must; the player
  // is told so once on standard error.
  explicit QtSoundPlayer(std::filesystem::path folder, bool silentWithoutOutput = false,
                         std::filesystem::path module = SoundModulePath());
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
  // Loads the module and finds its entry points; why not, when it cannot.
  std::optional<std::string> LoadModule();

  std::filesystem::path folder_;
  bool silentWithoutOutput_;
  std::filesystem::path modulePath_;
  QLibrary module_;
  bool loadTried_ = false;
  bool toldSilent_ = false;  // the player has been told once that sounds play to nobody
  decltype(&quillon_sound_prepare) prepare_ = nullptr;
  decltype(&quillon_sound_play) play_ = nullptr;
  decltype(&quillon_sound_stop) stop_ = nullptr;
};

class QtDocumentOpener : public engine::DocumentOpener {
 public:
  void Open(const std::string& target) override;
};

}  // namespace quillon::qt
