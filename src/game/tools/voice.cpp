#include "game/tools/voice.h"

#include <string>

#include "engine/screen_manager.h"

namespace quillon::game {

using namespace engine;

namespace {

constexpr int kVoiceWidth = Pixels(93);
constexpr int kVoiceHeight = Pixels(59);
constexpr int kAnimationMs = 120;

// The four pictures share one rectangle; the earlier one lies on top.
ControlDesign VoicePicture(const char* name, int top, const char* picture) {
  return Picture(name, 120, top, kVoiceWidth, kVoiceHeight, picture);
}

// The animation: three timers pass the turn round, flashing the two frames in turn.
// Timer3 never stops itself, so it goes on hiding the second frame and waking Timer1.
void AnimationFirstFrame(ScreenManager& sm, const std::string& screen) {
  sm.Control(screen, "Picture2").SetVisible(true);
  sm.Control(screen, "Timer2").SetEnabled(true);
  sm.Control(screen, "Timer1").SetEnabled(false);
}

void AnimationSecondFrame(ScreenManager& sm, const std::string& screen) {
  sm.Control(screen, "Picture2").SetVisible(false);
  sm.Control(screen, "Picture3").SetVisible(true);
  sm.Control(screen, "Timer2").SetEnabled(false);
  sm.Control(screen, "Timer3").SetEnabled(true);
}

void AnimationRest(ScreenManager& sm, const std::string& screen) {
  sm.Control(screen, "Picture3").SetVisible(false);
  sm.Control(screen, "Timer1").SetEnabled(true);
}

void voice_Form_Load(ScreenManager& sm) {
  sm.Control("voice", "Timer1").SetEnabled(true);
}

// The confirm picture: only a faked voice gets through.
void voice_Picture5_Click(ScreenManager& sm) {
  if (!sm.Control("voice", "Picture4").Visible()) {
    sm.Show("comp5");
    sm.Unload("voice");
  } else {
    sm.Show("security");
  }
}

void voice_Timer1_Timer(ScreenManager& sm) {
  AnimationFirstFrame(sm, "voice");
}
void voice_Timer2_Timer(ScreenManager& sm) {
  AnimationSecondFrame(sm, "voice");
}
void voice_Timer3_Timer(ScreenManager& sm) {
  AnimationRest(sm, "voice");
}

// Opening the generator is what fakes the voice, at once; the rest is for show.
void voicebraker_Form_Load(ScreenManager& sm) {
  sm.Control("voice", "Picture4").SetVisible(false);
  sm.Control("voicebraker", "Timer3").SetEnabled(true);
  sm.Control("voicebraker", "Timer4").SetEnabled(true);
}

void voicebraker_Timer1_Timer(ScreenManager& sm) {
  AnimationFirstFrame(sm, "voicebraker");
}
void voicebraker_Timer2_Timer(ScreenManager& sm) {
  AnimationSecondFrame(sm, "voicebraker");
}
void voicebraker_Timer3_Timer(ScreenManager& sm) {
  AnimationRest(sm, "voicebraker");
}

void voicebraker_Timer4_Timer(ScreenManager& sm) {
  sm.Control("voicebraker", "Label1").SetCaption("Hotovo");
  sm.Unload("voicebraker");
}

}  // namespace

ScreenDesign VoiceScreen() {
  ScreenDesign s = CentredScreen("voice", "Voice", 4530, 2325);
  s.controls = {
      Label("Label4", 60, 15, "Hlasová identifikace").Title(),
      Label("Label1", 1620, 300, 2835, 495,
            "Prosím zřetelně a jasně přečtěte tento text do vašeho mikrofonu"),
      Label("Label2", 2040, 1020, 1935, 435, "Já jsem systémový administrátor Zdeněk Pokorný")
          .Colour(colors::kButtonText),
      VoicePicture("Picture4", 780, "voice-pending"),
      VoicePicture("Picture3", 780, "voice-frame2").Hidden(),
      VoicePicture("Picture2", 780, "voice-frame1").Hidden(),
      VoicePicture("Picture1", 780, "voice"),
      Picture("Picture5", 2400, 1680, Pixels(78), Pixels(25), "voice-confirm"),
      Timer("Timer1", kAnimationMs, false),
      Timer("Timer2", kAnimationMs, false),
      Timer("Timer3", kAnimationMs, false),
      Shape("Shape2", 0, 0, 4530, 285),
      Shape("Shape1", 0, 270, 4530, 2055),
  };
  s.load = voice_Form_Load;
  s.click["Picture5"] = voice_Picture5_Click;
  s.tick["Timer1"] = voice_Timer1_Timer;
  s.tick["Timer2"] = voice_Timer2_Timer;
  s.tick["Timer3"] = voice_Timer3_Timer;
  return s;
}

ScreenDesign VoicebrakerScreen() {
  ScreenDesign s = ManualScreen("voicebraker", "Form1", 7065, 6735, 3525, 1950);
  s.controls = {
      Label("Label4", 60, 15, "Statistika").Title(),
      Label("Label1", 1980, 780, 1065, 360, "Čekejte").Bold().Points(13.5),
      VoicePicture("Picture4", 660, "voice-pending"),
      VoicePicture("Picture1", 660, "voice"),
      VoicePicture("Picture2", 660, "voice-frame1").Hidden(),
      VoicePicture("Picture3", 660, "voice-frame2").Hidden(),
      Timer("Timer1", kAnimationMs, false),
      Timer("Timer2", kAnimationMs, false),
      Timer("Timer3", kAnimationMs, false),
      Timer("Timer4", 1700, false),
      Shape("Shape2", 0, 0, 3525, 285),
      Shape("Shape1", 0, 270, 3525, 1680),
  };
  s.load = voicebraker_Form_Load;
  s.tick["Timer1"] = voicebraker_Timer1_Timer;
  s.tick["Timer2"] = voicebraker_Timer2_Timer;
  s.tick["Timer3"] = voicebraker_Timer3_Timer;
  s.tick["Timer4"] = voicebraker_Timer4_Timer;
  return s;
}

}  // namespace quillon::game
