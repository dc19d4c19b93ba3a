#include "network/screens.h"

#include "network/connect.h"

namespace quillon {

void RegisterNetworkScreens(engine::ScreenRegistry& registry) {
  registry.Add(ConnectScreen());
}

}  // namespace quillon
