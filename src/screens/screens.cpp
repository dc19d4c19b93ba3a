#include "screens/screens.h"

#include "screens/about.h"
#include "screens/notices.h"
#include "screens/statistika.h"

namespace quillon {

void RegisterDesktopScreens(engine::ScreenRegistry& registry) {
  registry.Add(StatistikaScreen());
  registry.Add(AboutScreen());
  RegisterNoticeScreens(registry);
}

}  // namespace quillon
