#include "game/network/map2.h"

#include <string>

#include "engine/screen_manager.h"
#include "game/network/route_map.h"
#include "game/desktop/screen_lists.h"

namespace quillon::game {

using namespace engine;

namespace {

// One step of the trace countdown; the number lives only in the label. At "0" the player has
// been traced, and only unloading the map stops the clock.
void map2_Timer1_Timer(ScreenManager& sm) {
  ControlRef countdown = sm.Control("map2", "Label8");
  countdown.SetCaption(std::to_string(std::stoi(countdown.Caption()) - 1));
  if (countdown.Caption() != "0") return;
  sm.Unload("map2");
  UnloadFirstShowing(sm, {"comp3", "comp4", "comp5", "login", "cracking"});
  sm.Show("security");
}

// Disconnect hides the targets of both networks; hidden, they keep their state.
void map2_Command1_Click(ScreenManager& sm) {
  for (const char* screen : {"comp1", "Comp2", "comp3", "comp4", "comp5", "login"}) {
    if (sm.IsVisible(screen)) sm.SetVisible(screen, false);
  }
  UnloadIfOpen(sm, "cracking");
  sm.Show("board");
  sm.Unload("map2");
}

}  // namespace

ScreenDesign Map2Screen() {
  ScreenDesign s = ManualScreen("map2", "Mapa spojení", 180, 3360, 4425, 5535);
  s.controls = {
      Label("Label6", 120, 75, "Mapa spojení").Title(),
      Picture("Picture5", 180, 360, kComputerWidth, kComputerHeight, "computer"),
      Label("Label3", 720, 1320, "Localhost"),
      Picture("Picture1", 240, 1920, kNodeWidth, kNodeHeight, "proxy"),
      Label("Label5", 240, 2640, "Proxy server"),
      Picture("Picture4", 2820, 1860, kNodeWidth, kNodeHeight, "firewall"),
      Label("Label4", 3060, 1680, "Firewall"),
      Picture("Picture3", 2580, 3540, kComputerWidth, kComputerHeight, "computer"),
      Label("Label2", 3180, 4560, "Host"),
      Path("Line10", 540, 675, 540, 840),
      Path("Line14", 540, 2340, 540, 1320),
      Path("Line13", 540, 2340, 2700, 2340),
      Path("Line12", 3360, 2340, 2580, 2340),
      Path("Line11", 3360, 3540, 3360, 2340),
      Bypass("Line6", 1485, 1800, 540, 1800),
      Bypass("Line7", 1500, 1800, 1500, 2340),
      Bypass("Line8", 2640, 2340, 2640, 2760),
      Bypass("Line9", 2640, 2760, 3360, 2760),
      Label("Label1", 120, 5220, "Zbývající čas než nás vystopují:"),
      Label("Label8", 3000, 5220, 840, 195, "Neaktivní"),
      Timer("Timer1", 200, false),
      Image("Command1", 1680, 4680, 1095, 315),
      Label("Label7", 1680, 4740, 1095, 255, "Disconnect").ButtonText().Centred(),
      Shape("Shape3", 1680, 4680, 1095, 315),
      Shape("Shape1", 60, 300, 4305, 4815),
      Shape("Shape4", 60, 5160, 4305, 315),
      Shape("Shape2", 30, 30, 4365, 5475),
  };
  s.tick["Timer1"] = map2_Timer1_Timer;
  s.click["Command1"] = map2_Command1_Click;
  return s;
}

}  // namespace quillon::game
