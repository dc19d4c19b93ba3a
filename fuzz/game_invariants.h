// What must hold after every event of a game, whatever the player did.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game_driver.h"

namespace quillon::fuzz {

class GameInvariants {
 public:
  // The first rule the game's state breaks now, described; nullopt when all hold. Call it after
  // every event of one game: some rules compare with what the previous call saw.
  std::optional<std::string> Check(const GameDriver& game);

 private:
  std::optional<std::string> CheckStatistics(const engine::ScreenManager& sm);
  std::optional<std::string> CheckAfterEnd(const GameDriver& game) const;
  void RememberEnd(const GameDriver& game);

  int criminality_ = 0;
  int popularity_ = 0;
  long long money_ = 0;

  bool ended_ = false;
  std::uint64_t revisionAtEnd_ = 0;
  std::uint64_t soundsAtEnd_ = 0;
  std::uint64_t documentsAtEnd_ = 0;
};

}  // namespace quillon::fuzz
