#include <string>
#include <vector>

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

TEST_F(VoiceTest, TheFramesKeepAlternatingAndNeverShowTogether) {
  sm.Show("voice");
  EXPECT_EQ(FramesOf("voice"), "-");
  std::string seen;
  for (int step = 0; step < 100; ++step) {
    Wait(kFrame);
    const std::string frames = FramesOf("voice");
    if (step == 0) {
      EXPECT_EQ(frames, "1");
    }
    ASSERT_NE(frames, "12") << "after " << (step + 1) * kFrame << " ms";
    if (frames != "-" && (seen.empty() || seen.back() != frames[0])) seen += frames;
  }
  // Every first frame is followed by a second one, for as long as the screen lives.
  EXPECT_GE(seen.size(), 20u);
  for (size_t i = 0; i + 1 < seen.size(); ++i) EXPECT_NE(seen[i], seen[i + 1]) << i;
  EXPECT_TRUE(ControlVisible("voice", "Picture4"));  // the animation never touches it
}

TEST_F(VoiceTest, TheGeneratorFakesTheVoiceAtOnceAndClosesItself1700MsLater) {
  sm.Show("voice");
  sm.Show("voicebraker");
  EXPECT_FALSE(ControlVisible("voice", "Picture4"));
  EXPECT_EQ(Screens().front(), "voicebraker");
  EXPECT_TRUE(TimerOn("voicebraker", "Timer3"));
  EXPECT_TRUE(TimerOn("voicebraker", "Timer4"));
  EXPECT_FALSE(TimerOn("voicebraker", "Timer1"));

  Wait(kFrame);  // Timer3 first: it hides the second frame and wakes Timer1
  EXPECT_EQ(FramesOf("voicebraker"), "-");
  EXPECT_TRUE(TimerOn("voicebraker", "Timer1"));

  Wait(1699 - kFrame);  // it closes itself 1700 ms after opening
  EXPECT_TRUE(Showing("voicebraker"));
  EXPECT_EQ(Text("voicebraker", "Label1"), "Čekejte");
  Wait(1);
  EXPECT_FALSE(Loaded("voicebraker"));
  EXPECT_TRUE(Showing("voice"));
  EXPECT_FALSE(ControlVisible("voice", "Picture4"));  // the voice stays faked
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
