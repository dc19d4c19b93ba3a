#include "game/network/map1.h"

#include <string>

#include "engine/screen_manager.h"
#include "game/network/route_map.h"
#include "game/desktop/screen_lists.h"

namespace quillon::game {

using namespace engine;

namespace {

// A map loaded while the password breaker runs without the proxy bypassed: the host has
// noticed. When Connect shows the map the breaker is already gone and nothing happens.
void map1_Form_Load(ScreenManager& sm) {
  if (sm.IsVisible("cracking") && !sm.Control("map1", "Line5").Visible()) {
    sm.Show("security");
    sm.Show("proxy");
    if (sm.Control("Statistika", "Label1").Caption() == "Velká") sm.Show("loser");
  }
}

// One step of the trace countdown; the number lives only in the label. At "0" the player has
// been traced, and only unloading the map stops the clock.
void map1_Timer1_Timer(ScreenManager& sm) {
  ControlRef countdown = sm.Control("map1", "Label7");
  countdown.SetCaption(std::to_string(std::stoi(countdown.Caption()) - 1));
  if (countdown.Caption() != "0") return;
  sm.Unload("map1");
  UnloadFirstShowing(sm, {"comp1", "Comp2", "login", "cracking"});
  sm.Show("security");
}

// Disconnect: the target and the login prompt are only hidden, so they keep their state.
void map1_Command1_Click(ScreenManager& sm) {
  if (sm.IsVisible("comp1")) sm.SetVisible("comp1", false);
  if (sm.IsVisible("Comp2")) sm.SetVisible("Comp2", false);
  if (sm.IsVisible("login")) sm.SetVisible("login", false);
  UnloadIfOpen(sm, "cracking");
  sm.Show("board");
  sm.Unload("map1");
}

}  // namespace

ScreenDesign Map1Screen() {
  ScreenDesign s = ManualScreen("map1", "Mapa spojení", 180, 3360, 4455, 5520);
  s.controls = {
      Label("Label4", 120, 75, "Mapa spojení").Title(),
      Picture("Picture1", 180, 360, kComputerWidth, kComputerHeight, "computer"),
      Label("Label3", 720, 1320, "Localhost"),
      Picture("Picture2", 1500, 1920, kNodeWidth, kNodeHeight, "proxy"),
      Label("Label1", 1560, 2640, "Proxy server"),
      Picture("Picture3", 2580, 3540, kComputerWidth, kComputerHeight, "computer"),
      Label("Label2", 3180, 4560, "Host"),
      Path("Line1", 540, 2340, 540, 1320),
      Path("Line2", 540, 2340, 1500, 2340),
      Path("Line3", 3360, 2340, 2580, 2340),
      Path("Line4", 3360, 3540, 3360, 2340),
      Bypass("Line5", 1320, 2355, 1320, 2940),
      Bypass("Line6", 2760, 2940, 1320, 2940),
      Bypass("Line7", 2760, 2355, 2760, 2940),
      Label("Label6", 120, 5220, "Zbývající čas než nás vystopují:"),
      Label("Label7", 3000, 5220, 840, 195, "Neaktivní"),
      Timer("Timer1", 200, false),
      Image("Command1", 1680, 4680, 1095, 315),
      Label("Label5", 1680, 4740, 1095, 255, "Disconnect").ButtonText().Centred(),
      Shape("Shape3", 1680, 4680, 1095, 315),
      Shape("Shape1", 60, 300, 4335, 4815),
      Shape("Shape4", 60, 5160, 4335, 315),
      Shape("Shape2", 30, 30, 4395, 5460),
  };
  s.load = map1_Form_Load;
  s.tick["Timer1"] = map1_Timer1_Timer;
  s.click["Command1"] = map1_Command1_Click;
  return s;
}

}  // namespace quillon::game
