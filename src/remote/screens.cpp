#include "remote/screens.h"

namespace quillon {

void RegisterRemoteScreens(engine::ScreenRegistry& registry) {
  (void)registry;
}

}  // namespace quillon
