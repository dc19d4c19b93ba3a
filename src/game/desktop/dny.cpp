// The calendar. The date is held as a date value in a field of the screen and only shown in
// the label, so that it never has to be read back from the locale's format.
#include <algorithm>
#include <chrono>

#include "engine/screen_manager.h"
#include "game/desktop/startup.h"

namespace quillon::game {

using namespace engine;
using namespace std::chrono;

namespace {

constexpr auto kFirstDay = year{2010} / November / 20;
// The calendar stops here, however long the game runs: the last day whose year has four digits,
// the last one every date format can show.
constexpr auto kLastDay = year{9999} / December / 31;

sys_days CurrentDay(ScreenManager& sm) {
  return sys_days{days{static_cast<int>(sm.Field("dny", "date"))}};
}

void ShowDay(ScreenManager& sm, sys_days day) {
  sm.SetField("dny", "date", static_cast<double>(day.time_since_epoch().count()));
  sm.Control("dny", "Label2").SetCaption(sm.ShortDate(year_month_day{day}));
}

void dny_Form_Load(ScreenManager& sm) {
  ShowDay(sm, sys_days{kFirstDay});
}

void dny_Timer1_Timer(ScreenManager& sm) {
  ShowDay(sm, std::min(CurrentDay(sm) + days{1}, sys_days{kLastDay}));
  sm.Control("dny", "Timer2").SetEnabled(true);
  sm.Control("dny", "Timer1").SetEnabled(false);
}

void dny_Timer2_Timer(ScreenManager& sm) {
  sm.Control("dny", "Timer1").SetEnabled(true);
  sm.Control("dny", "Timer2").SetEnabled(false);
}

}  // namespace

ScreenDesign DnyScreen() {
  ScreenDesign s = ManualScreen("dny", "dny", 0, 10995, 4680, 495);
  s.controls = {
      Label("Label1", 120, 150, "Datum:"), Label("Label2", 720, 150, "#11/20/2010#"),
      Timer("Timer1", 3000, true),         Timer("Timer2", 2, false),
      Shape("Shape1", 60, 60, 4560, 375),
  };
  s.load = dny_Form_Load;
  s.tick["Timer1"] = dny_Timer1_Timer;
  s.tick["Timer2"] = dny_Timer2_Timer;
  return s;
}

}  // namespace quillon::game
