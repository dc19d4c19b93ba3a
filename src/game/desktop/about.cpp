#include "game/desktop/about.h"

#include "engine/screen_manager.h"

namespace quillon::game {

using namespace engine;

namespace {

void about_Form_Load(ScreenManager& sm) {
  for (const char* screen : {"board", "Programy", "Statistika", "dny"}) {
    sm.SetEnabled(screen, false);
  }
  sm.Control("about", "Timer1").SetEnabled(true);
  // The credits are shown only after this handler; the error must lie in front of them, or
  // they would cover its close picture.
  if (!sm.PlaySound("data/about.dat")) {
    sm.AfterEvent([](ScreenManager& after) { after.Show("error"); });
  }
}

void about_Timer1_Timer(ScreenManager& sm) {
  sm.Control("about", "Picture2").SetVisible(true);
  sm.Control("about", "Timer1").SetEnabled(false);
}

void about_Picture2_Click(ScreenManager& sm) {
  sm.End();
}

void about_Label1_Click(ScreenManager& sm) {
  sm.OpenDocument(sm.Control("about", "Label1").Caption());
}

}  // namespace

ScreenDesign AboutScreen() {
  ScreenDesign s = CentredScreen("about", "Form1", 4590, 4425);
  s.controls = {
      Label("Label4", 60, 15, "O programu").Title(),
      // The web address lies over the foot of the logo and must take its clicks.
      Label("Label1", 60, 3480, kStudioWebAddress).Colour(colors::kWhite),
      Picture("Picture1", 60, 300, Pixels(150), Pixels(248), "logo").Tip("Studio Pergamen"),
      Label("Label2", 2340, 480, 2160, 480, "Programing, Zvuky, Betatesting, Grafika").Points(9.75),
      Label("Label3", 2460, 1020, 2040, 480, "Tomáš Vrána").Colour(colors::kTitle),
      Label("Label6", 2580, 1680, 1920, 1080,
            "Děkujeme, že jste si zahráli tuto hru a doufáme že se vám líbyla."),
      Picture("Picture2", 2880, 3600, Pixels(78), Pixels(25), "close-button").Hidden(),
      Label("Label5", 60, 4140, "Podívejte se na náš web kde najdete další naše programy a hry")
          .Colour(colors::kTitle),
      Timer("Timer1", 3800, false),
      Shape("Shape2", 0, 0, 4590, 285),
      Shape("Shape1", 0, 270, 4590, 4155),
  };
  s.load = about_Form_Load;
  s.tick["Timer1"] = about_Timer1_Timer;
  s.click["Picture2"] = about_Picture2_Click;
  s.click["Label1"] = about_Label1_Click;
  return s;
}

}  // namespace quillon::game
