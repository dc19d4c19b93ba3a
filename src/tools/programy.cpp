#include "tools/programy.h"

namespace quillon {

using namespace engine;

namespace {

constexpr int kButtonLeft = 120;
constexpr int kButtonWidth = 1995;
constexpr int kButtonHeight = 315;
constexpr int kFrameLeft = 60;
constexpr int kFrameWidth = 2115;

ControlDesign Tool(const char* name, int top, const char* caption, const char* tooltip,
                   const char* icon) {
  return Button(name, kButtonLeft, top, kButtonWidth, kButtonHeight, caption, icon).Tip(tooltip);
}

}  // namespace

ScreenDesign ProgramyScreen() {
  ScreenDesign s = ManualScreen("Programy", "Programy", 13065, 180, 2280, 4665);
  s.controls = {
      Label("Label4", 120, 75, "Programy").Title(),
      Tool("Command1", 600, "Password braker", "Brute force atak", "tool-password"),
      Tool("Command2", 960, "Generátor hlasu", "Vygeneruje hlas pro nalogování do systému",
           "tool-voice")
          .Hidden(),
      Tool("Command6", 1680, "Proxy bypass", "Obejde proxy server", "tool-proxy").Hidden(),
      Tool("Command7", 2040, "Firewall bypass", "Obejde firewall", "tool-firewall").Hidden(),
      Tool("Command3", 2760, "Files wizard", "Simuluje oprávnění mazat a kopírovat soubory",
           "tool-wizard")
          .Hidden(),
      Tool("Command4", 3480, "Destruktor v 4.0",
           "Zahltí server informacemi a tím zapříčiní jeho výpadek", "tool-destroyer")
          .Hidden(),
      Tool("Command5", 4200, "Sub Seven", "Trojský kůň", "tool-trojan").Hidden(),
      Frame("Frame1", kFrameLeft, 360, kFrameWidth, 975, "Hesla"),
      Frame("Frame5", kFrameLeft, 1440, kFrameWidth, 975, "Bezpečnost"),
      Frame("Frame2", kFrameLeft, 2520, kFrameWidth, 615, "Soubory"),
      Frame("Frame3", kFrameLeft, 3240, kFrameWidth, 615, "Destruktivní programy"),
      Frame("Frame4", kFrameLeft, 3960, kFrameWidth, 615, "Trojani"),
      Shape("Shape2", 60, 60, 2160, 255),
      Shape("Shape1", 30, 30, 2220, 4605),
  };
  return s;
}

}  // namespace quillon
