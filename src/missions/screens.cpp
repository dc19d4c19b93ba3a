#include "missions/screens.h"

#include "missions/board.h"
#include "missions/messages.h"

namespace quillon {

void RegisterMissionScreens(engine::ScreenRegistry& registry) {
  registry.Add(BoardScreen());
  for (engine::ScreenDesign& message : MissionMessageScreens()) registry.Add(std::move(message));
}

}  // namespace quillon
