#include "game/tools/cracking.h"

#include <string>

#include "engine/screen_manager.h"
#include "game/remote/login.h"

namespace quillon::game {

using namespace engine;

namespace {

constexpr float kBreakingSeconds = 20;

// The clock reading of the first tick, kept with the screen instance and lost with it.
constexpr const char* kStarted = "started";
constexpr const char* kStartMs = "startMs";

// The current mission's password, by the message board; empty between two missions.
std::string CurrentPassword(ScreenManager& sm) {
  for (const TargetAccount& account : kTargetAccounts) {
    if (AccountIsCurrent(sm, account)) return account.password;
  }
  return "";
}

// The route check, then the reset. Reading the maps' lines creates a map hidden when it is
// not loaded; this screen is not visible yet while the check runs.
void cracking_Form_Load(ScreenManager& sm) {
  const bool map1Line6 = sm.Control("map1", "Line6").Visible();
  const bool map1Line5 = sm.Control("map1", "Line5").Visible();
  const bool map1Showing = sm.IsVisible("map1");
  if (map1Showing && !map1Line6 && !map1Line5) {
    sm.SetVisible("security", true);
    sm.Show("proxy");
    sm.Unload("cracking");
    return;
  }
  // Only a route with neither bypass is caught here; the tools panel catches the rest.
  const bool map2Line6 = sm.Control("map2", "Line6").Visible();
  const bool map2Line8 = sm.Control("map2", "Line8").Visible();
  const bool map2Showing = sm.IsVisible("map2");
  if (map2Showing && !map2Line6 && !map2Line8) {
    sm.Show("proxy");
    sm.Show("security");
    sm.Unload("cracking");
    return;
  }
  sm.Control("login", "Text2").SetText("");
  sm.Control("login", "Text1").SetText(kTargetUser);
  sm.Control("cracking", "prbegg").SetValue(0);
  sm.SetField("cracking", kStarted, 0);
}

// The bar fills over 20 seconds of clock time counted from the first tick, so it is full on
// the 21st tick. The engine's clock is monotonic: a run across midnight cannot go backwards.
void cracking_tmrTest_Timer(ScreenManager& sm) {
  if (sm.Field("cracking", kStarted) == 0) {
    sm.SetField("cracking", kStartMs, static_cast<double>(sm.NowMs()));
    sm.SetField("cracking", kStarted, 1);
  }
  const double elapsedMs = static_cast<double>(sm.NowMs()) - sm.Field("cracking", kStartMs);
  const float progress = static_cast<float>(elapsedMs / 1000.0) * 100 / kBreakingSeconds;
  if (progress < 100) {
    sm.Control("cracking", "prbegg").SetValue(progress);
    return;
  }
  sm.Control("cracking", "prbegg").SetValue(100);
  sm.Control("cracking", "tmrTest").SetEnabled(false);
  sm.SetVisible("cracking", false);
  sm.Control("login", "Text1").SetText(kTargetUser);
  sm.Control("login", "Text2").SetText(CurrentPassword(sm));
  sm.Control("cracking", "tmrTest").SetEnabled(false);
  sm.Unload("cracking");
}

}  // namespace

ScreenDesign CrackingScreen() {
  ScreenDesign s = ManualScreen("cracking", "cracking", 6180, 6915, 3300, 1065);
  s.controls = {
      Label("Label2", 120, 75, "Password braker").Title(),
      Label("Label1", 900, 360, "CRACKING").Bold().Points(12),
      ProgressBar("prbegg", 120, 660, 3060, 255),
      Timer("tmrTest", 1000, false),
      Shape("Shape2", 60, 60, 3180, 255),
      Shape("Shape1", 60, 300, 3180, 705),
  };
  s.load = cracking_Form_Load;
  s.tick["tmrTest"] = cracking_tmrTest_Timer;
  return s;
}

}  // namespace quillon::game
