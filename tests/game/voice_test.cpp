#include "tools/voice.h"

#include <string>
#include <utility>
#include <vector>

#include "engine/screen_manager.h"
#include "game_test.h"

namespace quillon::testing {
namespace {

constexpr std::int64_t kFrame = 120;

class VoiceTest : public GameTest {
 protected:
  VoiceTest() { Wait(1600); }

  // Which animation frames show: "-" none, "1" the first, "2" the second, "12" both.
  std::string FramesOf(const std::string& screen) const {
    std::string frames;
    if (ControlVisible(screen, "Picture2")) frames += '1';
    if (ControlVisible(screen, "Picture3")) frames += '2';
    return frames.empty() ? "-" : frames;
  }
  bool TimerOn(const std::string& screen, const std::string& timer) const {
    return sm.Peek(screen)->Find(timer)->enabled;
  }
};

TEST_F(VoiceTest, TheIdentificationOpensWithThePendingPictureOverTheAnimation) {
  sm.Show("voice");
  EXPECT_EQ(Text("voice", "Label4"), "Hlasová identifikace");
  EXPECT_EQ(Text("voice", "Label1"),
            "Prosím zřetelně a jasně přečtěte tento text do vašeho mikrofonu");
  EXPECT_EQ(Text("voice", "Label2"), "Já jsem systémový administrátor Zdeněk Pokorný");
  EXPECT_TRUE(ControlVisible("voice", "Picture4"));
  EXPECT_TRUE(ControlVisible("voice", "Picture1"));
  EXPECT_TRUE(ControlVisible("voice", "Picture5"));
  // The pending picture lies above the frames, which lie above the voice picture.
  const engine::ScreenDesign& design = *sm.Design("voice");
  EXPECT_LT(design.IndexOf("Picture4"), design.IndexOf("Picture3"));
  EXPECT_LT(design.IndexOf("Picture3"), design.IndexOf("Picture2"));
  EXPECT_LT(design.IndexOf("Picture2"), design.IndexOf("Picture1"));
}

TEST_F(VoiceTest, TheAnimationPassesTheTurnFromTimerToTimer) {
  sm.Show("voice");
  EXPECT_TRUE(TimerOn("voice", "Timer1"));
  EXPECT_EQ(FramesOf("voice"), "-");

  Wait(kFrame);  // Timer1: the first frame, and the turn to Timer2
  EXPECT_EQ(FramesOf("voice"), "1");
  EXPECT_FALSE(TimerOn("voice", "Timer1"));
  EXPECT_TRUE(TimerOn("voice", "Timer2"));

  Wait(kFrame);  // Timer2: the second frame, and the turn to Timer3
  EXPECT_EQ(FramesOf("voice"), "2");
  EXPECT_FALSE(TimerOn("voice", "Timer2"));
  EXPECT_TRUE(TimerOn("voice", "Timer3"));

  Wait(kFrame);  // Timer3: no frame, Timer1 again, and Timer3 goes on ticking
  EXPECT_EQ(FramesOf("voice"), "-");
  EXPECT_TRUE(TimerOn("voice", "Timer1"));
  EXPECT_TRUE(TimerOn("voice", "Timer3"));
}

TEST_F(VoiceTest, TheFramesKeepAlternatingAndNeverShowTogether) {
  sm.Show("voice");
  std::string seen;
  for (int step = 0; step < 100; ++step) {
    Wait(kFrame);
    const std::string frames = FramesOf("voice");
    ASSERT_NE(frames, "12") << "after " << (step + 1) * kFrame << " ms";
    if (frames != "-" && (seen.empty() || seen.back() != frames[0])) seen += frames;
  }
  // Every first frame is followed by a second one, for as long as the screen lives.
  EXPECT_GE(seen.size(), 20u);
  for (size_t i = 0; i + 1 < seen.size(); ++i) EXPECT_NE(seen[i], seen[i + 1]) << i;
  EXPECT_TRUE(ControlVisible("voice", "Picture4"));  // the animation never touches it
}

TEST_F(VoiceTest, TheGeneratorFakesTheVoiceAtOnceAndStartsItsAnimationAtTimer3) {
  sm.Show("voice");
  sm.Show("voicebraker");
  EXPECT_FALSE(ControlVisible("voice", "Picture4"));
  EXPECT_EQ(Screens().front(), "voicebraker");
  EXPECT_EQ(Text("voicebraker", "Label4"), "Statistika");
  EXPECT_EQ(Text("voicebraker", "Label1"), "Čekejte");
  EXPECT_TRUE(TimerOn("voicebraker", "Timer3"));
  EXPECT_TRUE(TimerOn("voicebraker", "Timer4"));
  EXPECT_FALSE(TimerOn("voicebraker", "Timer1"));

  Wait(kFrame);  // Timer3 first: it hides the second frame and wakes Timer1
  EXPECT_EQ(FramesOf("voicebraker"), "-");
  EXPECT_TRUE(TimerOn("voicebraker", "Timer1"));
  Wait(kFrame);
  EXPECT_EQ(FramesOf("voicebraker"), "1");
  Wait(kFrame);
  EXPECT_EQ(FramesOf("voicebraker"), "2");
}

TEST_F(VoiceTest, TheGeneratorClosesItself1700MsAfterOpening) {
  sm.Show("voice");
  sm.Show("voicebraker");
  Wait(1699);
  EXPECT_TRUE(Showing("voicebraker"));
  EXPECT_EQ(Text("voicebraker", "Label1"), "Čekejte");
  Wait(1);
  EXPECT_FALSE(Loaded("voicebraker"));
  EXPECT_TRUE(Showing("voice"));
  EXPECT_FALSE(ControlVisible("voice", "Picture4"));  // the voice stays faked
}

TEST(VoicebrakerCloseTest, WritesHotovoJustBeforeUnloading) {
  // The last text is visible only for an instant; a change handler on the label catches it.
  engine::ScreenRegistry registry;
  registry.Add(VoiceScreen());
  engine::ScreenDesign braker = VoicebrakerScreen();
  std::vector<std::string> written;
  braker.change["Label1"] = [&written](engine::ScreenManager& sm) {
    written.push_back(sm.Peek("voicebraker")->Find("Label1")->text);
  };
  registry.Add(std::move(braker));
  engine::VirtualClock clock;
  engine::ScreenManager sm(registry, engine::Services{nullptr, nullptr, nullptr, &clock});
  sm.Start("voice");
  ASSERT_TRUE(sm.Show("voicebraker"));

  engine::AdvanceVirtualTime(sm, clock, 1699);
  EXPECT_TRUE(written.empty());
  engine::AdvanceVirtualTime(sm, clock, 1);
  EXPECT_EQ(written, std::vector<std::string>{"Hotovo"});
  EXPECT_EQ(sm.Peek("voicebraker"), nullptr);
}

TEST_F(VoiceTest, ConfirmingAfterTheGeneratorOpensTheFifthTarget) {
  sm.Show("voice");
  sm.Show("voicebraker");
  ASSERT_TRUE(Click("voice", "Picture5"));  // before the generator has closed itself
  EXPECT_TRUE(Showing("comp5"));
  EXPECT_FALSE(Loaded("voice"));
  EXPECT_FALSE(Showing("security"));
  EXPECT_EQ(Text("Statistika", "Label1"), "Není");
}

TEST_F(VoiceTest, ConfirmingWithoutTheGeneratorCallsSecurityAndTheCheckStaysOpen) {
  sm.Show("voice");
  ASSERT_TRUE(Click("voice", "Picture5"));
  EXPECT_EQ(Screens().front(), "security");
  EXPECT_TRUE(Showing("voice"));
  EXPECT_FALSE(Loaded("comp5"));
  EXPECT_TRUE(ControlVisible("voice", "Picture5"));

  sm.Show("voicebraker");
  Wait(1700);
  ASSERT_TRUE(Click("voice", "Picture5"));
  EXPECT_TRUE(Showing("comp5"));
  EXPECT_FALSE(Loaded("voice"));
}

TEST_F(VoiceTest, AVoiceCheckOpenedAgainIsPendingAgain) {
  sm.Show("voice");
  sm.Show("voicebraker");
  sm.Unload("voice");
  sm.Show("voice");
  EXPECT_TRUE(ControlVisible("voice", "Picture4"));
  ASSERT_TRUE(Click("voice", "Picture5"));
  EXPECT_TRUE(Showing("security"));
  EXPECT_FALSE(Loaded("comp5"));
}

}  // namespace
}  // namespace quillon::testing
