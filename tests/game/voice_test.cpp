// The fifth target's voice check and the voice generator that fakes it.
#include <string>

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
};

TEST_F(VoiceTest, TheFramesKeepAlternatingAndNeverShowTogether) {
  sm.Show("voice");
  std::string seen;  // each frame as it comes up
  std::string before = FramesOf("voice");
  for (int step = 0; step < 100; ++step) {
    Wait(kFrame);
    const std::string frames = FramesOf("voice");
    ASSERT_NE(frames, "12") << "after " << (step + 1) * kFrame << " ms";
    if (frames != before && frames != "-") seen += frames;
    before = frames;
  }
  EXPECT_EQ(seen.substr(0, 4), "1212");
  EXPECT_GE(seen.size(), 20u);
  for (size_t i = 0; i + 1 < seen.size(); ++i) EXPECT_NE(seen[i], seen[i + 1]) << i;
  EXPECT_TRUE(ControlVisible("voice", "Picture4"));  // the animation never touches it
}

TEST_F(VoiceTest, TheGeneratorFakesTheVoiceAtOnceAndClosesItself1700MsLater) {
  sm.Show("voice");
  ASSERT_TRUE(Click("voice", "Picture5"));  // not faked yet: security, the check stays open
  EXPECT_EQ(Screens().front(), "security");
  EXPECT_TRUE(Showing("voice"));
  EXPECT_FALSE(Loaded("comp5"));

  sm.Show("voicebraker");
  EXPECT_FALSE(ControlVisible("voice", "Picture4"));
  EXPECT_EQ(Screens().front(), "voicebraker");
  Wait(kFrame);  // its animation starts with the rest of a turn
  EXPECT_EQ(FramesOf("voicebraker"), "-");
  Wait(kFrame);
  EXPECT_EQ(FramesOf("voicebraker"), "1");
  Wait(1699 - 2 * kFrame);
  EXPECT_EQ(Text("voicebraker", "Label1"), "Čekejte");
  Wait(1);
  EXPECT_FALSE(Loaded("voicebraker"));
  EXPECT_FALSE(ControlVisible("voice", "Picture4"));  // the voice stays faked

  sm.Unload("voice");  // opened again, it is pending again
  sm.Show("voice");
  EXPECT_TRUE(ControlVisible("voice", "Picture4"));
}

}  // namespace
}  // namespace quillon::testing
