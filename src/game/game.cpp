#include "game/game.h"

#include "game/desktop/about.h"
#include "game/desktop/notices.h"
#include "game/desktop/startup.h"
#include "game/desktop/statistika.h"
#include "game/missions/board.h"
#include "game/missions/messages.h"
#include "game/network/connect.h"
#include "game/network/ip.h"
#include "game/network/losers.h"
#include "game/network/map1.h"
#include "game/network/map2.h"
#include "game/network/security.h"
#include "game/remote/comp45.h"
#include "game/remote/file_targets.h"
#include "game/remote/login.h"
#include "game/remote/notices.h"
#include "game/tools/cracking.h"
#include "game/tools/programy.h"
#include "game/tools/voice.h"
#include "game/tools/wizard.h"

namespace quillon::game {

void RegisterAllScreens(engine::ScreenRegistry& registry) {
  // The start-up screens and the desktop's own.
  registry.Add(StartScreen());
  registry.Add(BackScreen());
  registry.Add(DnyScreen());
  registry.Add(StatistikaScreen());
  registry.Add(AboutScreen());
  RegisterNoticeScreens(registry);
  // The missions.
  registry.Add(BoardScreen());
  for (engine::ScreenDesign& message : MissionMessageScreens()) registry.Add(std::move(message));
  // The network.
  registry.Add(ConnectScreen());
  registry.Add(IpScreen());
  registry.Add(Map1Screen());
  registry.Add(SecurityScreen());
  registry.Add(LoserScreen());
  registry.Add(Loser2Screen());
  registry.Add(Map2Screen());
  // The target computers.
  registry.Add(LoginScreen());
  registry.Add(Comp1Screen());
  registry.Add(Comp2Screen());
  registry.Add(Comp3Screen());
  registry.Add(Comp4Screen());
  registry.Add(Comp5Screen());
  registry.Add(OpravneniScreen());
  registry.Add(KopirovaniScreen());
  registry.Add(PripojeniScreen());
  // The player's tools.
  registry.Add(ProgramyScreen());
  registry.Add(CrackingScreen());
  registry.Add(VoiceScreen());
  registry.Add(VoicebrakerScreen());
  registry.Add(WizardScreen());
}

const engine::ScreenRegistry& GameScreens() {
  static const engine::ScreenRegistry registry = [] {
    engine::ScreenRegistry r;
    RegisterAllScreens(r);
    return r;
  }();
  return registry;
}

}  // namespace quillon::game
