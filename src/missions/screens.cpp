#include "missions/screens.h"

#include "missions/board.h"

namespace quillon {

void RegisterMissionScreens(engine::ScreenRegistry& registry) {
  registry.Add(BoardScreen());
}

}  // namespace quillon
