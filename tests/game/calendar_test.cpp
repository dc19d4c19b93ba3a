// The calendar on the desktop: a day every three seconds of game time and a little, for as long
// as the game runs.
#include <chrono>

#include "game_test.h"

namespace quillon::testing {
namespace {

using namespace std::chrono;

constexpr std::int64_t kOneDayOfTheCalendar = 3002;  // its turn of 3 s, then 2 ms to rearm

class CalendarTest : public GameTest {
 protected:
  CalendarTest() { Wait(1600); }  // the splash is gone, the calendar shows
  void SetDay(year_month_day day) {
    sm.SetField("dny", "date", double(sys_days{day}.time_since_epoch().count()));
  }
};

// A game left running for years of game time: the calendar comes to 31.12.9999 and stays there,
// never a five-digit year nor one that has wrapped round to a negative one.
TEST_F(CalendarTest, TheCalendarStopsAtTheLastDayWithAFourDigitYear) {
  SetDay(year{9999} / December / 27);
  Wait(2 * kOneDayOfTheCalendar);
  EXPECT_EQ(Text("dny", "Label2"), "29.12.9999");  // a day at a time, up to the last
  Wait(10 * kOneDayOfTheCalendar);
  EXPECT_EQ(Text("dny", "Label2"), "31.12.9999");
  Wait(86'400'000);  // a whole day of game time: nearly 29 000 turns more
  EXPECT_EQ(Text("dny", "Label2"), "31.12.9999");
}

}  // namespace
}  // namespace quillon::testing
