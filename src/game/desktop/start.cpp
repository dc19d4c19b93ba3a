#include "game/desktop/startup.h"

#include "engine/screen_manager.h"

namespace quillon::game {

using namespace engine;

namespace {

// Opens the desktop; being shown last, the splash then lies on top of it.
void start_Form_Load(ScreenManager& sm) {
  sm.Show("back");
  sm.Show("board");
  sm.Show("dny");
  sm.Show("Statistika");
  sm.Show("connect");
  sm.Show("Programy");
}

void start_Timer1_Timer(ScreenManager& sm) {
  sm.SetVisible("start", false);
  sm.Control("start", "Timer1").SetEnabled(false);
}

}  // namespace

ScreenDesign StartScreen() {
  ScreenDesign s = CentredScreen("start", "start", 5970, 1410);
  s.backColor = colors::kText;
  s.controls = {
      Picture("Picture1", 0, 0, Pixels(397), Pixels(94), "splash"),
      Timer("Timer1", 1600, true),
  };
  s.load = start_Form_Load;
  s.tick["Timer1"] = start_Timer1_Timer;
  return s;
}

ScreenDesign BackScreen() {
  ScreenDesign s = CentredScreen("back", "Quillon - Hacker", kDesktopWidth, kDesktopHeight);
  s.enabled = false;  // never takes input, so it never comes in front of the desktop
  s.icon = "back-icon";
  s.controls = {
      CheckBox("Check1", "Check1").Hidden(),  // the fourth target's server is destroyed
      CheckBox("mise5", "Check2").Hidden(),   // the trojan is planted on the fifth target
  };
  return s;
}

}  // namespace quillon::game
