#include "engine/screen_manager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillon::engine {
namespace {

using Log = std::vector<std::string>;

// A handful of small screens whose handlers write what they do into a log.
class ScreenManagerTest : public ::testing::Test {
 protected:
  ScreenManagerTest() {
    ScreenDesign panel = ManualScreen("panel", "Panel", 0, 0, 3000, 2000);
    panel.controls = {
        Label("Label1", 120, 120, "design"),
        Picture("Picture1", 120, 600, 300, 300, "icon").Hidden(),
        TextBox("Text1", 120, 1000, 900, 255),
        TextBox("Text2", 120, 1400, 900, 255),
        CheckBox("Check1", "Check1"),
        Timer("Timer1", 200, false),
    };
    panel.load = [this](ScreenManager& sm) {
      log.push_back("panel load, visible=" + std::string(sm.Peek("panel")->visible ? "1" : "0"));
      // Nested access from the load handler finds the screen loaded: no recursion.
      sm.Control("panel", "Label1").SetCaption("loaded");
    };
    panel.click["Label1"] = [this](ScreenManager&) { log.push_back("Label1 click"); };
    panel.click["Picture1"] = [this](ScreenManager&) { log.push_back("Picture1 click"); };
    panel.tick["Timer1"] = [this](ScreenManager& sm) {
      log.push_back("panel tick at " + std::to_string(sm.NowMs()));
    };
    panel.keyPress["Text1"] = [this](ScreenManager&, int& key) {
      log.push_back("key " + std::to_string(key));
      if (key == 'x') key = 0;  // swallowed
      if (key == 'a') key = 'b';
    };
    panel.change["Text1"] = [this](ScreenManager& sm) {
      log.push_back("change " + sm.Control("panel", "Text1").Text());
    };
    designs.Add(panel);

    ScreenDesign other = CentredScreen("other", "Form1", 1000, 1000);
    other.controls = {Label("Label1", 0, 0, "other"), Timer("Timer1", 200, true),
                      Timer("Timer2", 200, false)};
    other.tick["Timer1"] = [this](ScreenManager& sm) {
      log.push_back("other Timer1 at " + std::to_string(sm.NowMs()));
    };
    other.tick["Timer2"] = [this](ScreenManager& sm) {
      log.push_back("other Timer2 at " + std::to_string(sm.NowMs()));
    };
    designs.Add(other);

    ScreenDesign ender = ManualScreen("ender", "Form1", 0, 0, 1000, 1000);
    ender.controls = {Label("Label1", 0, 0, "end")};
    ender.click["Label1"] = [this](ScreenManager& sm) {
      log.push_back("before End");
      sm.End();
      log.push_back("after End");  // must never run
    };
    designs.Add(ender);

    // A screen whose load handler decides it must not stay, as the password breaker does.
    ScreenDesign refuser = ManualScreen("refuser", "Form1", 0, 0, 1000, 1000);
    refuser.controls = {Label("Label1", 0, 0, "design"), Timer("Timer1", 100, false)};
    refuser.load = [this](ScreenManager& sm) {
      log.push_back("refuser load");
      sm.Show("other");
      sm.Unload("refuser");
    };
    designs.Add(refuser);

    ScreenDesign locked = ManualScreen("locked", "Form1", 0, 0, 1000, 1000);
    locked.enabled = false;
    locked.controls = {Label("Label1", 0, 0, "locked")};
    locked.click["Label1"] = [this](ScreenManager&) { log.push_back("locked click"); };
    designs.Add(locked);
  }

  void Wait(std::int64_t ms) { AdvanceVirtualTime(sm, clock, ms); }

  ScreenRegistry designs;
  VirtualClock clock;
  Log log;
  ScreenManager sm{designs, Services{nullptr, nullptr, nullptr, &clock}};
};

// A screen comes to life at the first use of it, hidden, its load run once; hidden again it
// keeps its changes, unloaded it loses them.
TEST_F(ScreenManagerTest, ReadingAPropertyCreatesTheScreenHiddenAndUnloadingLosesItsChanges) {
  EXPECT_EQ(sm.Peek("panel"), nullptr);
  EXPECT_EQ(sm.Control("panel", "Label1").Caption(), "loaded");
  EXPECT_FALSE(sm.IsVisible("panel"));
  EXPECT_TRUE(sm.VisibleFrontToBack().empty());
  sm.SetVisible("panel", true);  // the same as Show: in front and active
  EXPECT_EQ(sm.ActiveScreen(), "panel");
  sm.Control("panel", "Label1").SetCaption("changed");
  sm.Control("panel", "Picture1").SetVisible(true);
  sm.SetField("panel", "start", 4.5);
  EXPECT_EQ(log, Log{"panel load, visible=0"});

  sm.SetVisible("panel", false);
  sm.Show("panel");
  EXPECT_EQ(sm.Control("panel", "Label1").Caption(), "changed");
  EXPECT_TRUE(sm.Control("panel", "Picture1").Visible());
  EXPECT_EQ(sm.Field("panel", "start"), 4.5);

  sm.Unload("panel");
  EXPECT_EQ(sm.Peek("panel"), nullptr);
  EXPECT_EQ(sm.Control("panel", "Label1").Caption(), "loaded");  // design value, load ran again
  EXPECT_FALSE(sm.Control("panel", "Picture1").Visible());
  EXPECT_EQ(sm.Field("panel", "start"), 0);
  EXPECT_EQ(log.size(), 2u);
}

// The keyboard goes to the front-most screen that is showing and enabled: a disabled screen
// is never made active, and hiding or disabling the active one hands the keys on.
TEST_F(ScreenManagerTest, TheActiveScreenIsTheFrontMostEnabledOneAndTakesTheKeys) {
  sm.Show("panel");
  sm.Show("other");
  sm.Control("panel", "Label1").SetCaption("kept");
  EXPECT_EQ(sm.ActiveScreen(), "other");
  EXPECT_TRUE(sm.Show("panel"));  // already showing: only to the front, changes kept
  EXPECT_EQ(sm.VisibleFrontToBack(), (std::vector<std::string>{"panel", "other"}));
  EXPECT_EQ(sm.Control("panel", "Label1").Caption(), "kept");

  sm.Show("other");
  sm.SetVisible("other", false);
  EXPECT_EQ(sm.ActiveScreen(), "panel");
  sm.Show("locked");  // in front, but disabled
  EXPECT_EQ(sm.VisibleFrontToBack().front(), "locked");
  EXPECT_EQ(sm.ActiveScreen(), "panel");

  sm.Show("other");
  sm.SetEnabled("other", false);  // past the disabled `locked` to `panel`
  EXPECT_EQ(sm.ActiveScreen(), "panel");
  sm.TypeKey('7');
  EXPECT_EQ(sm.Control("panel", "Text1").Text(), "7");
  sm.SetEnabled("panel", false);
  EXPECT_EQ(sm.ActiveScreen(), "");
  sm.TypeKey('8');
  EXPECT_EQ(sm.Control("panel", "Text1").Text(), "7");
}

TEST_F(ScreenManagerTest, AClickActivatesItsScreenUnlessItIsHiddenOrDisabled) {
  sm.Show("panel");
  sm.Show("other");
  EXPECT_TRUE(sm.Click("panel", "Label1"));
  EXPECT_EQ(sm.VisibleFrontToBack().front(), "panel");
  EXPECT_EQ(sm.ActiveScreen(), "panel");

  EXPECT_FALSE(sm.Click("panel", "Picture1"));  // a hidden control takes no click
  sm.Show("locked");
  EXPECT_FALSE(sm.Click("locked", "Label1"));  // a disabled screen ignores the mouse
  EXPECT_EQ(sm.ActiveScreen(), "panel");       // and cannot be activated
  EXPECT_FALSE(sm.ClickScreen("locked"));
  EXPECT_TRUE(sm.ClickScreen("other"));  // a screen's empty area brings it to the front
  EXPECT_EQ(sm.ActiveScreen(), "other");
  EXPECT_EQ(sm.VisibleFrontToBack().front(), "other");
  sm.SetVisible("other", false);
  EXPECT_FALSE(sm.Click("other", "Label1"));
  EXPECT_FALSE(sm.Click("refuser", "Label1"));  // not loaded: nothing, and not created
  EXPECT_EQ(sm.Peek("refuser"), nullptr);
  EXPECT_EQ(log, (Log{"panel load, visible=0", "Label1 click"}));
}

TEST_F(ScreenManagerTest, TimersTickOnHiddenAndDisabledScreensAndStopWhenUnloaded) {
  sm.SetVisible("other", false);  // loaded hidden; Timer1 enabled at design
  Wait(450);
  EXPECT_EQ(log, (Log{"other Timer1 at 200", "other Timer1 at 400"}));

  sm.SetEnabled("other", false);
  Wait(200);
  EXPECT_EQ(log.back(), "other Timer1 at 600");

  sm.Unload("other");
  Wait(1000);
  EXPECT_EQ(log.size(), 3u);
  EXPECT_FALSE(sm.NextTimerDue().has_value());
}

TEST_F(ScreenManagerTest, EnablingATimerRestartsItsCountAndTimersDueTogetherFireInEnableOrder) {
  sm.Show("panel");
  Wait(50);
  sm.Control("panel", "Timer1").SetEnabled(true);  // due at 250
  sm.Control("other", "Timer2").SetEnabled(true);  // loads `other` at 50: both its timers at 250
  Wait(200);
  EXPECT_EQ(log, (Log{"panel load, visible=0", "panel tick at 250", "other Timer1 at 250",
                      "other Timer2 at 250"}));

  sm.Control("panel", "Timer1").SetEnabled(false);
  Wait(130);  // 380
  sm.Control("panel", "Timer1").SetEnabled(true);
  Wait(199);
  EXPECT_EQ(log.back(), "other Timer2 at 450");
  Wait(1);  // a timer due exactly at the end of the wait fires within it
  EXPECT_EQ(log.back(), "panel tick at 580");
}

TEST_F(ScreenManagerTest, EndStopsTheHandlerAndEverythingAfterIt) {
  bool listened = false;
  sm.SetEndListener([&] { listened = true; });
  sm.Show("other");
  sm.Show("ender");
  EXPECT_TRUE(sm.Click("ender", "Label1"));
  EXPECT_TRUE(listened);
  EXPECT_TRUE(sm.Ended());
  EXPECT_EQ(log, Log{"before End"});
  EXPECT_TRUE(sm.VisibleFrontToBack().empty());

  Wait(1000);  // the timer of `other` never fires again
  EXPECT_FALSE(sm.Click("ender", "Label1"));
  EXPECT_FALSE(sm.Show("panel"));
  EXPECT_EQ(log, Log{"before End"});
}

TEST_F(ScreenManagerTest, ALoadHandlerThatUnloadsItsScreenLeavesItUnloadedAndTheCallerUnharmed) {
  EXPECT_FALSE(sm.Show("refuser"));
  EXPECT_EQ(sm.Peek("refuser"), nullptr);
  EXPECT_EQ(sm.VisibleFrontToBack(), std::vector<std::string>{"other"});

  // A property access that creates it: the write is lost, the read gives the design value.
  sm.Control("refuser", "Timer1").SetEnabled(true);
  EXPECT_FALSE(sm.Control("refuser", "Timer1").Enabled());
  EXPECT_FALSE(sm.IsVisible("refuser"));
  EXPECT_EQ(sm.Peek("refuser"), nullptr);
  EXPECT_EQ(log, (Log{"refuser load", "refuser load", "refuser load", "refuser load"}));
}

TEST_F(ScreenManagerTest, KeysGoThroughTheKeyPressHandlerBeforeTheBoxChanges) {
  sm.Show("panel");
  EXPECT_EQ(sm.FocusedControl(), "Text1");  // the first text box has the focus
  sm.TypeKey('1');
  sm.TypeKey('x');  // swallowed by the handler
  sm.TypeKey('a');  // changed into 'b'
  sm.TypeKey(13);   // Enter and Escape put nothing in, so no change
  sm.TypeKey(27);
  sm.TypeKey(0x00E1);  // á
  sm.TypeKey(8);       // Backspace removes the whole character
  EXPECT_EQ(sm.Control("panel", "Text1").Text(), "1b");
  EXPECT_EQ(log,
            (Log{"panel load, visible=0", "key 49", "change 1", "key 120", "key 97", "change 1b",
                 "key 13", "key 27", "key 225", "change 1bá", "key 8", "change 1b"}));

  EXPECT_TRUE(sm.Click("panel", "Text2"));
  EXPECT_EQ(sm.FocusedControl(), "Text2");
  sm.TypeKey('z');
  EXPECT_EQ(sm.Control("panel", "Text2").Text(), "z");
  sm.Unload("panel");
  sm.TypeKey('q');  // nothing has the focus
  EXPECT_EQ(sm.FocusedControl(), "");
}

}  // namespace
}  // namespace quillon::engine
