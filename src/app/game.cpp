#include "app/game.h"

#include "app/desktop.h"
#include "missions/board.h"
#include "network/connect.h"
#include "screens/notices.h"
#include "screens/statistika.h"
#include "tools/programy.h"

namespace quillon {

void RegisterAllScreens(engine::ScreenRegistry& registry) {
  registry.Add(StartScreen());
  registry.Add(BackScreen());
  registry.Add(DnyScreen());
  registry.Add(StatistikaScreen());
  registry.Add(BoardScreen());
  registry.Add(ConnectScreen());
  registry.Add(ProgramyScreen());
  RegisterNoticeScreens(registry);
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
