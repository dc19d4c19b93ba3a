// Turns scripts of script mode into seeds for fuzz_game: their clicks, typed texts, keys and
// waits become events in the fuzzer's byte format, so that the fuzzer starts from games played
// deep into the missions. The script is played alongside, since a click names its screen by its
// place among the screens loaded at that moment.
//
//   make_game_seeds OUTPUT_FOLDER SCRIPT...
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "game/game.h"
#include "game_driver.h"
#include "script/codec.h"

namespace {

namespace fs = std::filesystem;
using Command = quillon::script::ScriptCommand;

class SeedWriter {
 public:
  explicit SeedWriter(quillon::fuzz::SoundMode sound) : game_(sound) {
    bytes_.push_back(static_cast<std::uint8_t>(sound));
    played_ = bytes_.size();
  }

  // One command of a script; those that only look at the game add nothing.
  void Add(const Command& command) {
    switch (command.kind) {
      case Command::Kind::Click:
        AddClick(command.screen, command.control);
        break;
      case Command::Kind::Type:
      case Command::Kind::Key:
        for (const int code : command.keys) quillon::fuzz::EncodeKey(bytes_, code);
        break;
      case Command::Kind::Wait:
        quillon::fuzz::EncodeJump(bytes_, command.ms);
        break;
      default:
        break;
    }
    PlayNewBytes();
  }

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  bool Ended() const { return game_.Manager().Ended(); }

 private:
  void AddClick(const std::string& screen, const std::string& control) {
    const std::vector<std::string> loaded = game_.LoadedScreens();
    for (size_t i = 0; i < loaded.size(); ++i) {
      if (loaded[i] != screen) continue;
      const int index = game_.Manager().Design(screen)->IndexOf(control);
      if (index >= 0) quillon::fuzz::EncodeClick(bytes_, i, static_cast<size_t>(index));
      return;
    }
    // A click on a screen that is not loaded does nothing; the seed leaves it out.
  }

  void PlayNewBytes() {
    quillon::fuzz::ByteReader reader(bytes_.data() + played_, bytes_.size() - played_);
    while (game_.PlayNext(reader, [] {})) {
    }
    played_ = bytes_.size();
  }

  quillon::fuzz::GameDriver game_;
  std::vector<std::uint8_t> bytes_;
  size_t played_ = 0;
};

bool WriteSeed(const fs::path& script, const fs::path& output, quillon::fuzz::SoundMode sound) {
  std::ifstream in(script);
  if (!in) {
    std::cerr << "make_game_seeds: cannot read " << script << '\n';
    return false;
  }
  SeedWriter writer(sound);
  quillon::script::ScriptReader reader(quillon::game::GameScreens(), in);
  while (const std::optional<quillon::script::ScriptLine> line = reader.Next()) {
    // A line script mode refuses, such as the screenshot tool's own `shot`, adds nothing.
    if (line->refusal.empty()) writer.Add(line->command);
  }
  std::ofstream out(output, std::ios::binary);
  out.write(reinterpret_cast<const char*>(writer.Bytes().data()),
            static_cast<std::streamsize>(writer.Bytes().size()));
  if (!out) {
    std::cerr << "make_game_seeds: cannot write " << output << '\n';
    return false;
  }
  std::cout << output.filename().string() << ": " << writer.Bytes().size() << " bytes"
            << (writer.Ended() ? ", the game ended" : "") << '\n';
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: make_game_seeds OUTPUT_FOLDER SCRIPT...\n";
    return 2;
  }
  const fs::path folder = argv[1];
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) {
    std::cerr << "make_game_seeds: cannot create " << folder << ": " << error.message() << '\n';
    return 2;
  }
  for (int i = 2; i < argc; ++i) {
    const fs::path script = argv[i];
    // Every script once as written, and once more with sounds that cannot be played, which
    // sends the game down its error notices.
    const std::string stem =
        script.parent_path().filename().string() + "-" + script.stem().string();
    if (!WriteSeed(script, folder / (stem + ".seed"), quillon::fuzz::SoundMode::kPlays) ||
        !WriteSeed(script, folder / (stem + "-no-sound.seed"),
                   quillon::fuzz::SoundMode::kCannotPlay)) {
      return 1;
    }
  }
  return 0;
}
