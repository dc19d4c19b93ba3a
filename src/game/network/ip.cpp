#include "game/network/ip.h"

#include <array>
#include <string>

#include "engine/screen_manager.h"

namespace quillon::game {

using namespace engine;

namespace {

constexpr int kEnter = 13;
constexpr int kEscape = 27;

// The server directory: the only five addresses the game knows, tried in this order.
struct Server {
  std::array<const char*, 4> parts;
  const char* map;
  bool goneWhenDestroyed;  // the fourth target's server no longer answers once flooded
};

constexpr std::array<Server, 5> kDirectory{{
    {{"155", "8", "13", "76"}, "map1", false},
    {{"234", "122", "126", "9"}, "map1", false},
    {{"255", "182", "27", "156"}, "map2", false},
    {{"96", "88", "173", "246"}, "map2", false},
    {{"45", "103", "222", "39"}, "map2", true},
}};

constexpr std::array<const char*, 4> kBoxes{"Text1", "Text2", "Text3", "Text4"};
constexpr std::array<const char*, 5> kTargets{"comp1", "Comp2", "comp3", "comp4", "comp5"};

// Characters, not bytes: a box may hold letters with diacritics.
size_t CharacterCount(const std::string& text) {
  size_t count = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++count;
  }
  return count;
}

const Server* LookUp(ScreenManager& sm) {
  std::array<std::string, 4> typed;
  for (size_t i = 0; i < kBoxes.size(); ++i) typed[i] = sm.Control("ip", kBoxes[i]).Text();
  for (const Server& server : kDirectory) {
    bool same = true;
    for (size_t i = 0; i < typed.size(); ++i) same = same && typed[i] == server.parts[i];
    if (same) return &server;
  }
  return nullptr;
}

// Each test on its own: asking whether a screen shows loads it hidden when it is not loaded.
void BreakCurrentConnection(ScreenManager& sm) {
  if (sm.IsVisible("map1")) sm.Unload("map1");
  if (sm.IsVisible("map2")) sm.Unload("map2");
  if (sm.IsVisible("login")) sm.SetVisible("login", false);
  if (sm.IsVisible("cracking")) sm.Unload("cracking");
  for (const char* target : kTargets) {
    if (sm.IsVisible(target)) {
      sm.Unload(target);
      sm.Show("připojení");
    }
  }
}

void FinishConnection(ScreenManager& sm) {
  sm.SetVisible("login", true);
  sm.Control("login", "Text2").SetText("");
  sm.Control("login", "Text1").SetText("");
  sm.Unload("ip");
}

void MoveFocusOnThirdCharacter(ScreenManager& sm, const char* box, const char* next) {
  if (CharacterCount(sm.Control("ip", box).Text()) == 3) sm.Control("ip", next).SetFocus();
}

// The key press comes before the box changes; `next` is null for the last box.
void KeyPressInBox(ScreenManager& sm, int keyAscii, const char* next) {
  if (keyAscii == kEnter && next) sm.Control("ip", next).SetFocus();
  if (keyAscii == kEscape) sm.End();
  // When the click cannot be played the key press ends with the error notice; the character
  // still goes into the box.
  if (!sm.PlaySound("data/ip.dat")) sm.Show("error");
}

// Connect: the old connection goes first, even when the new address turns out unknown.
void ip_Command1_Click(ScreenManager& sm) {
  BreakCurrentConnection(sm);
  const Server* server = LookUp(sm);
  if (!server) {
    sm.Show("noconnect");
    return;
  }
  if (server->goneWhenDestroyed && sm.Control("back", "Check1").Value() == 1) {
    sm.Show("noconnect");
    sm.Unload("ip");
    return;
  }
  sm.Show(server->map);
  FinishConnection(sm);
}

void ip_Command2_Click(ScreenManager& sm) {
  sm.Unload("ip");
}

void ip_Text1_Change(ScreenManager& sm) {
  MoveFocusOnThirdCharacter(sm, "Text1", "Text2");
}
void ip_Text2_Change(ScreenManager& sm) {
  MoveFocusOnThirdCharacter(sm, "Text2", "Text3");
}
void ip_Text3_Change(ScreenManager& sm) {
  MoveFocusOnThirdCharacter(sm, "Text3", "Text4");
}

void ip_Text1_KeyPress(ScreenManager& sm, int& keyAscii) {
  KeyPressInBox(sm, keyAscii, "Text2");
}
void ip_Text2_KeyPress(ScreenManager& sm, int& keyAscii) {
  KeyPressInBox(sm, keyAscii, "Text3");
}
void ip_Text3_KeyPress(ScreenManager& sm, int& keyAscii) {
  KeyPressInBox(sm, keyAscii, "Text4");
}
void ip_Text4_KeyPress(ScreenManager& sm, int& keyAscii) {
  KeyPressInBox(sm, keyAscii, nullptr);
}

}  // namespace

ScreenDesign IpScreen() {
  ScreenDesign s = CentredScreen("ip", "IP", 2520, 1365);
  s.controls = {
      Label("Label4", 120, 75, "CONNECT").Title(),
      TextBox("Text1", 300, 480, 315, 195),
      TextBox("Text2", 840, 480, 315, 195),
      TextBox("Text3", 1380, 480, 315, 195),
      TextBox("Text4", 1920, 480, 315, 195),
      Shape("Shape3", 270, 450, 375, 255),
      Shape("Shape4", 810, 450, 375, 255),
      Shape("Shape5", 1350, 450, 375, 255),
      Shape("Shape6", 1890, 450, 375, 255),
      Image("Command1", 270, 900, 915, 285),
      Label("Label1", 420, 945, "Connect").ButtonText(),
      Shape("Shape7", 270, 900, 915, 285),
      Image("Command2", 1350, 900, 915, 285),
      Label("Label2", 1560, 945, "Storno").ButtonText(),
      Shape("Shape8", 1350, 900, 915, 285),
      Shape("Shape2", 60, 60, 2400, 255),
      Shape("Shape1", 60, 300, 2400, 1005),
  };
  s.click["Command1"] = ip_Command1_Click;
  s.click["Command2"] = ip_Command2_Click;
  s.change["Text1"] = ip_Text1_Change;
  s.change["Text2"] = ip_Text2_Change;
  s.change["Text3"] = ip_Text3_Change;
  s.keyPress["Text1"] = ip_Text1_KeyPress;
  s.keyPress["Text2"] = ip_Text2_KeyPress;
  s.keyPress["Text3"] = ip_Text3_KeyPress;
  s.keyPress["Text4"] = ip_Text4_KeyPress;
  return s;
}

}  // namespace quillon::game
