#include "game/tools/programy.h"

#include <initializer_list>

#include "engine/screen_manager.h"

namespace quillon::game {

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

bool IsCaught(ScreenManager& sm) {
  return sm.Control("Statistika", "Label1").Caption() == "Velká";
}

void HideIfShowing(ScreenManager& sm, const char* screen) {
  if (sm.IsVisible(screen)) sm.SetVisible(screen, false);
}

void UnloadIfShowing(ScreenManager& sm, const char* screen) {
  if (sm.IsVisible(screen)) sm.Unload(screen);
}

// The route checks read every line in their order: a read creates a map that is not loaded
// (hidden), and map 1's load rule runs then.
bool Hidden(ScreenManager& sm, const char* screen, const char* line) {
  return !sm.Control(screen, line).Visible();
}

// The proxy of map 1 not bypassed: `proxy` ends up in front of `security`.
void RaiseMap1Alarm(ScreenManager& sm) {
  sm.SetVisible("security", true);
  for (const char* screen : {"map1", "login", "cracking"}) sm.Unload(screen);
  sm.Show("proxy");
  if (IsCaught(sm)) sm.Show("loser");
}

// A defence of map 2 not bypassed: here `security` ends up in front of `proxy`.
void RaiseMap2Alarm(ScreenManager& sm) {
  sm.Show("proxy");
  sm.Show("security");
  for (const char* screen : {"map2", "login", "voice", "cracking"}) sm.Unload(screen);
  if (IsCaught(sm)) sm.Show("loser");
}

// Map 2 showing with its firewall or its proxy not bypassed; the three tests in their order.
bool Map2Unprotected(ScreenManager& sm) {
  const bool line6 = Hidden(sm, "map2", "Line6");
  const bool line9 = Hidden(sm, "map2", "Line9");
  const bool line8 = Hidden(sm, "map2", "Line8");
  if (line6 && line9 && line8 && sm.IsVisible("map2")) return true;
  if (Hidden(sm, "map2", "Line8") && sm.IsVisible("map2")) return true;
  return Hidden(sm, "map2", "Line7") && sm.IsVisible("map2");
}

// Stage B of the password breaker: it is safe only behind bypassed route nodes.
void CheckBreakerRoute(ScreenManager& sm) {
  const bool line6 = Hidden(sm, "map1", "Line6");
  const bool line5 = Hidden(sm, "map1", "Line5");
  if (sm.IsVisible("map1") && line6 && line5) {
    RaiseMap1Alarm(sm);
  } else if (Map2Unprotected(sm)) {
    RaiseMap2Alarm(sm);
  }
}

// "Password braker": start the breaker on an open login prompt (stage A), then check the
// route (stage B).
void Programy_Command1_Click(ScreenManager& sm) {
  if (sm.IsVisible("login")) {
    sm.Control("login", "Text1").SetText("");
    // The breaker's load handler unloads it again on an unprotected route, having raised the
    // alarm. The rest of the start would only bring it back: the route check follows at once,
    // finds the same route and drops the connection as every route alarm does.
    if (!sm.Show("cracking")) {
      CheckBreakerRoute(sm);
      return;
    }
    sm.Control("cracking", "tmrTest").SetEnabled(true);
    if (sm.IsVisible("map1")) {
      sm.Control("map1", "Label7").SetCaption("200");
      sm.Control("map1", "Timer1").SetEnabled(true);
    } else if (sm.IsVisible("map2")) {
      sm.Control("map2", "Label8").SetCaption("150");
      sm.Control("map2", "Timer1").SetEnabled(true);
    }
  } else {
    // Creates the breaker hidden when it is not loaded; its load handler runs then.
    sm.Control("cracking", "tmrTest").SetEnabled(false);
    sm.Show("neniserver");
  }
  CheckBreakerRoute(sm);
}

// "Generátor hlasu": only for the voice identification of the fifth target.
void Programy_Command2_Click(ScreenManager& sm) {
  sm.Show(sm.IsVisible("voice") ? "voicebraker" : "neniserver");
}

// "Files wizard": its being open is the permission that the file servers ask for.
void Programy_Command3_Click(ScreenManager& sm) {
  const bool fileServerOpen =
      sm.IsVisible("comp1") || sm.IsVisible("Comp2") || sm.IsVisible("comp3");
  sm.Show(fileServerOpen ? "wizard" : "neniserver");
}

// "Destruktor v 4.0": floods the fourth target's server, which takes the connection with it.
void Programy_Command4_Click(ScreenManager& sm) {
  if (!sm.IsVisible("comp4")) {
    sm.Show("neniserver");
    return;
  }
  HideIfShowing(sm, "comp1");
  HideIfShowing(sm, "Comp2");
  HideIfShowing(sm, "comp3");
  sm.Control("back", "Check1").SetValue(1);
  sm.SetVisible("comp4", false);
  HideIfShowing(sm, "comp5");
  HideIfShowing(sm, "login");
  UnloadIfShowing(sm, "cracking");
  UnloadIfShowing(sm, "map2");
  sm.Control("Statistika", "Label2").SetCaption("Hodně známý");
}

// "Sub Seven": planted for good only on the fifth target reached through map 2.
void Programy_Command5_Click(ScreenManager& sm) {
  const bool map2 = sm.IsVisible("map2");
  const bool comp5 = sm.IsVisible("comp5");
  if (map2 && comp5) {
    sm.Control("back", "mise5").SetValue(1);
    sm.Show("trojan");
    return;
  }
  bool targetOpen = false;
  for (const char* screen : {"comp1", "Comp2", "comp3", "comp4"}) {
    if (sm.IsVisible(screen)) targetOpen = true;
  }
  sm.Show(targetOpen ? "trojan" : "neniserver");
}

// "Proxy bypass": draws the route around the proxy of the map that is showing.
void Programy_Command6_Click(ScreenManager& sm) {
  if (sm.IsVisible("map1")) {
    for (const char* line : {"Line5", "Line6", "Line7"}) {
      sm.Control("map1", line).SetVisible(true);
    }
  } else if (sm.IsVisible("map2")) {
    for (const char* line : {"Line6", "Line7"}) sm.Control("map2", line).SetVisible(true);
  } else {
    sm.Show("neniserver");
  }
}

// "Firewall bypass": only map 2 has a firewall; otherwise nothing happens at all.
void Programy_Command7_Click(ScreenManager& sm) {
  if (!sm.IsVisible("map2")) return;
  for (const char* line : {"Line8", "Line9"}) sm.Control("map2", line).SetVisible(true);
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
      // The title strip lines up with the tool frames; the outer frame runs round them all.
      Shape("Shape2", kFrameLeft, 60, kFrameWidth, 255),
      Shape("Shape1", 30, 30, kFrameWidth + 60, 4605),
  };
  s.click["Command1"] = Programy_Command1_Click;
  s.click["Command2"] = Programy_Command2_Click;
  s.click["Command3"] = Programy_Command3_Click;
  s.click["Command4"] = Programy_Command4_Click;
  s.click["Command5"] = Programy_Command5_Click;
  s.click["Command6"] = Programy_Command6_Click;
  s.click["Command7"] = Programy_Command7_Click;
  return s;
}

}  // namespace quillon::game
