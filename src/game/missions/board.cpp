#include "game/missions/board.h"

#include <string>

#include "engine/screen_manager.h"

namespace quillon::game {

using namespace engine;

namespace {

constexpr int kSlotLeft[] = {120, 1260, 2400, 3540, 4680};
constexpr int kIconTop = 420;

ControlDesign Icon(int number, int slot, const char* picture) {
  const bool small = number == 14 || number == 15;
  ControlDesign icon = Picture("Picture" + std::to_string(number), kSlotLeft[slot], kIconTop,
                               small ? 1080 : 1095, small ? 690 : 735, picture);
  if (number != 1) icon.Hidden();
  return icon;
}

// Message icons: open the mission's message.
void board_Picture1_Click(ScreenManager& sm) {
  sm.Show("Message");
}
void board_Picture2_Click(ScreenManager& sm) {
  sm.Show("Message2");
}
void board_Picture3_Click(ScreenManager& sm) {
  sm.Show("Message3");
}
void board_Picture4_Click(ScreenManager& sm) {
  sm.Show("Message4");
}
void board_Picture5_Click(ScreenManager& sm) {
  sm.Show("Message5");
}

// Reward icons: pay the reward, mark the slot done and open the next slot. The money display
// is overwritten with the running total; nothing is added up.
void board_Picture6_Click(ScreenManager& sm) {
  sm.Show("miseok");
  sm.Control("Statistika", "Label3").SetCaption("20 000");
  sm.Control("board", "Picture6").SetVisible(false);
  sm.Control("board", "Picture7").SetVisible(true);
  sm.Control("board", "Picture2").SetVisible(true);
}

void board_Picture8_Click(ScreenManager& sm) {
  sm.Show("miseok");
  sm.Control("Statistika", "Label3").SetCaption("56 000");
  sm.Control("board", "Picture8").SetVisible(false);
  sm.Control("board", "Picture9").SetVisible(true);
  sm.Control("board", "Picture3").SetVisible(true);
}

// Missions 3 and 4 pay in tools, so the money stays.
void board_Picture10_Click(ScreenManager& sm) {
  sm.Show("miseok");
  sm.Control("board", "Picture10").SetVisible(false);
  sm.Control("board", "Picture11").SetVisible(true);
  sm.Control("board", "Picture4").SetVisible(true);
}

void board_Picture12_Click(ScreenManager& sm) {
  sm.Show("miseok");
  sm.Control("board", "Picture12").SetVisible(false);
  sm.Control("board", "Picture13").SetVisible(true);
  sm.Control("board", "Picture5").SetVisible(true);
}

// The last reward: the closing credits take over the end of the game, over the notice.
void board_Picture14_Click(ScreenManager& sm) {
  sm.Control("Statistika", "Label3").SetCaption("206 000");
  sm.Show("miseok");
  sm.Control("board", "Picture14").SetVisible(false);
  sm.Control("board", "Picture15").SetVisible(true);
  sm.Show("about");
}

// Done icons: only repeat the success notice.
void board_Picture7_Click(ScreenManager& sm) {
  sm.Show("miseok");
}
void board_Picture9_Click(ScreenManager& sm) {
  sm.Show("miseok");
}
void board_Picture11_Click(ScreenManager& sm) {
  sm.Show("miseok");
}
void board_Picture13_Click(ScreenManager& sm) {
  sm.Show("miseok");
}
void board_Picture15_Click(ScreenManager& sm) {
  sm.Show("miseok");
}

}  // namespace

ScreenDesign BoardScreen() {
  ScreenDesign s = ManualScreen("board", "Zprávy", 180, 180, 5955, 1245);
  s.controls.push_back(Label("Label4", 120, 75, "Zprávy").Title());
  for (int slot = 0; slot < 5; ++slot) {
    s.controls.push_back(Icon(slot + 1, slot, "board-message"));
  }
  // Reward and done icons alternate: Picture6/7 for slot 1 ... Picture14/15 for slot 5.
  for (int slot = 0; slot < 5; ++slot) {
    s.controls.push_back(Icon(6 + 2 * slot, slot, "board-reward"));
    s.controls.push_back(Icon(7 + 2 * slot, slot, "board-done"));
  }
  s.controls.push_back(Shape("Shape2", 60, 60, 5835, 255));
  s.controls.push_back(Shape("Shape1", 60, 300, 5835, 885));
  s.click["Picture1"] = board_Picture1_Click;
  s.click["Picture2"] = board_Picture2_Click;
  s.click["Picture3"] = board_Picture3_Click;
  s.click["Picture4"] = board_Picture4_Click;
  s.click["Picture5"] = board_Picture5_Click;
  s.click["Picture6"] = board_Picture6_Click;
  s.click["Picture7"] = board_Picture7_Click;
  s.click["Picture8"] = board_Picture8_Click;
  s.click["Picture9"] = board_Picture9_Click;
  s.click["Picture10"] = board_Picture10_Click;
  s.click["Picture11"] = board_Picture11_Click;
  s.click["Picture12"] = board_Picture12_Click;
  s.click["Picture13"] = board_Picture13_Click;
  s.click["Picture14"] = board_Picture14_Click;
  s.click["Picture15"] = board_Picture15_Click;
  return s;
}

}  // namespace quillon::game
