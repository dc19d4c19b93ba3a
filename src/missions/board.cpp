#include "missions/board.h"

#include <string>

namespace quillon {

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
  return s;
}

}  // namespace quillon
