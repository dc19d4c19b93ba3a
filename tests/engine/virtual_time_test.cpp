#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/screen_manager.h"

namespace quillon::engine {
namespace {

// One screen with a timer that notes the time of every tick.
class VirtualTimeTest : public ::testing::Test {
 protected:
  VirtualTimeTest() {
    ScreenDesign clockwork = ManualScreen("clockwork", "Form1", 0, 0, 1000, 1000);
    clockwork.controls = {Timer("Timer1", 1000, true)};
    clockwork.tick["Timer1"] = [this](ScreenManager& manager) { ticks.push_back(manager.NowMs()); };
    designs.Add(clockwork);
  }

  void StartTheTimerAt(std::int64_t ms) {
    clock.Set(ms);
    sm.Start("clockwork");
  }

  ScreenRegistry designs;
  VirtualClock clock;
  std::vector<std::int64_t> ticks;
  ScreenManager sm{designs, Services{nullptr, nullptr, nullptr, &clock}};
};

TEST_F(VirtualTimeTest, ALongWaitFiresEveryTickInItAndOnlyThose) {
  StartTheTimerAt(0);
  AdvanceVirtualTime(sm, clock, 86'400'000);
  ASSERT_EQ(ticks.size(), 86'400u);
  EXPECT_EQ(ticks.front(), 1'000);
  EXPECT_EQ(ticks.back(), 86'400'000);
  EXPECT_EQ(clock.NowMs(), 86'400'000);

  // With nothing due, time jumps to the end of the wait at once, however long it is.
  sm.Unload("clockwork");
  AdvanceVirtualTime(sm, clock, 999'999'000'000'000);
  EXPECT_EQ(clock.NowMs(), 999'999'086'400'000);
  EXPECT_EQ(ticks.size(), 86'400u);
}

TEST_F(VirtualTimeTest, TimeStopsAtItsLimitAndAWaitPastItMovesNothing) {
  StartTheTimerAt(999'999'999'997'500);
  AdvanceVirtualTime(sm, clock, 2'500);  // up to the limit itself
  EXPECT_EQ(clock.NowMs(), 1'000'000'000'000'000);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{999'999'999'998'500, 999'999'999'999'500}));

  for (std::int64_t ms :
       {std::int64_t{1}, std::int64_t{-1}, std::numeric_limits<std::int64_t>::max(),
        std::numeric_limits<std::int64_t>::min()}) {
    EXPECT_THROW(AdvanceVirtualTime(sm, clock, ms), std::out_of_range) << ms;
  }
  AdvanceVirtualTime(sm, clock, 0);
  EXPECT_EQ(clock.NowMs(), 1'000'000'000'000'000);
  EXPECT_EQ(ticks.size(), 2u);
}

}  // namespace
}  // namespace quillon::engine
