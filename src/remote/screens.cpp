#include "remote/screens.h"

#include "remote/comp45.h"
#include "remote/file_targets.h"
#include "remote/login.h"
#include "remote/notices.h"

namespace quillon {

void RegisterRemoteScreens(engine::ScreenRegistry& registry) {
  (void)registry;
  registry.Add(LoginScreen());
  registry.Add(Comp1Screen());
  registry.Add(Comp2Screen());
  registry.Add(Comp3Screen());
  registry.Add(Comp4Screen());
  registry.Add(Comp5Screen());
  registry.Add(OpravneniScreen());
  registry.Add(KopirovaniScreen());
  registry.Add(PripojeniScreen());
}

}  // namespace quillon
