#include "network/screens.h"

#include "network/connect.h"
#include "network/ip.h"
#include "network/losers.h"
#include "network/map1.h"
#include "network/map2.h"
#include "network/security.h"

namespace quillon {

void RegisterNetworkScreens(engine::ScreenRegistry& registry) {
  registry.Add(ConnectScreen());
  registry.Add(IpScreen());
  registry.Add(Map1Screen());
  registry.Add(SecurityScreen());
  registry.Add(LoserScreen());
  registry.Add(Loser2Screen());
  registry.Add(Map2Screen());
}

}  // namespace quillon
