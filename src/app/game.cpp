#include "app/game.h"

#include "app/desktop.h"
#include "missions/screens.h"
#include "network/screens.h"
#include "remote/screens.h"
#include "screens/screens.h"
#include "tools/screens.h"

namespace quillon {

void RegisterAllScreens(engine::ScreenRegistry& registry) {
  registry.Add(StartScreen());
  registry.Add(BackScreen());
  registry.Add(DnyScreen());
  RegisterDesktopScreens(registry);
  RegisterMissionScreens(registry);
  RegisterNetworkScreens(registry);
  RegisterRemoteScreens(registry);
  RegisterToolScreens(registry);
}

const engine::ScreenRegistry& GameScreens() {
  static const engine::ScreenRegistry registry = [] {
    engine::ScreenRegistry r;
    RegisterAllScreens(r);
    return r;
  }();
  return registry;
}

}  // namespace quillon
