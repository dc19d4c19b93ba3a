#include "tools/screens.h"

#include "tools/programy.h"

namespace quillon {

void RegisterToolScreens(engine::ScreenRegistry& registry) {
  registry.Add(ProgramyScreen());
}

}  // namespace quillon
