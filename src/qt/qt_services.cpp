#include "qt/qt_services.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>
#include <iostream>

#include "platform/folders.h"
#include "platform/module_file.h"
#include "platform/wave.h"

namespace quillon::qt {

std::filesystem::path SoundModulePath() {
  const std::optional<std::filesystem::path> folder = platform::ExecutableFolder();
  if (!folder) return {};
  return platform::LocateModule(*folder, QUILLON_MODULE_DIR, "libquillon_sound.so");
}

QtSoundPlayer::QtSoundPlayer(std::filesystem::path folder, bool silentWithoutOutput,
                             std::filesystem::path module)
    : folder_(std::move(folder)),
      silentWithoutOutput_(silentWithoutOutput),
      modulePath_(std::move(module)) {}

QtSoundPlayer::~QtSoundPlayer() {
  if (stop_) stop_();
}

namespace {

template <typename Entry>
Entry Resolve(QLibrary& module, const char* name) {
  return reinterpret_cast<Entry>(module.resolve(name));
}

}  // namespace

std::optional<std::string> QtSoundPlayer::LoadModule() {
  if (modulePath_.empty()) {
    return "the sound module cannot be found: " + std::string(platform::kNoExecutableFolder);
  }
  // The dynamic loader trusts the file: one cut short would end the game with SIGBUS.
  if (const std::optional<std::string> refusal = platform::ModuleFileRefusal(modulePath_)) {
    return modulePath_.string() + ": " + *refusal;
  }
  module_.setFileName(QFile::decodeName(modulePath_.c_str()));
  if (!module_.load()) return module_.errorString().toStdString();
  const auto interfaceOf =
      Resolve<decltype(&quillon_sound_interface)>(module_, "quillon_sound_interface");
  if (!interfaceOf || interfaceOf() != kSoundInterface) {
    module_.unload();
    return modulePath_.string() + ": it is the sound module of another version of the game";
  }
  prepare_ = Resolve<decltype(prepare_)>(module_, "quillon_sound_prepare");
  play_ = Resolve<decltype(play_)>(module_, "quillon_sound_play");
  stop_ = Resolve<decltype(stop_)>(module_, "quillon_sound_stop");
  if (prepare_ && play_ && stop_) return std::nullopt;
  prepare_ = nullptr;
  play_ = nullptr;
  stop_ = nullptr;
  return module_.errorString().toStdString();
}

bool QtSoundPlayer::Load() {
  if (loadTried_) return play_ != nullptr;
  loadTried_ = true;
  // Without a sound folder nothing would play: the game has said why it has no sounds.
  if (folder_.empty()) return false;
  if (const std::optional<std::string> refusal = LoadModule()) {
    std::cerr << "quillon: no sounds: " << *refusal << '\n';
    return false;
  }
  return true;
}

bool QtSoundPlayer::Prepare() {
  if (!Load()) return false;
  prepare_();
  return true;
}

bool QtSoundPlayer::Play(const std::string& path) {
  const std::filesystem::path file = platform::SoundFile(folder_, path);
  // A file that passes the check loads whole: the effect never sees one that would keep it
  // waiting for samples that are not there, or make it set aside memory for 4 GiB of them.
  if (!platform::IsPlayableWave(file)) return false;
  const bool loaded = Load();
  const bool played = loaded && play_(file.c_str());
  if (played || !silentWithoutOutput_) return played;
  // The game goes on as if the sound played; the player hears nothing and sees no notice. A
  // module that was refused has been told already, with its cause.
  if (loaded && !toldSilent_) {
    toldSilent_ = true;
    std::cerr << "quillon: no audio output: the game's sounds play to nobody while it is "
                 "recorded, without the error notice, so that the recording replays the same\n";
  }
  return true;
}

void QtDocumentOpener::Open(const std::string& target) {
  QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(target)));
}

}  // namespace quillon::qt
