#include "game/network/connect.h"

#include "engine/screen_manager.h"

namespace quillon::game {

using namespace engine;

namespace {

// Opens the address entry; when it is open already it only comes to the front, as typed.
void connect_Picture1_Click(ScreenManager& sm) {
  sm.Show("ip");
}
void connect_Image1_Click(ScreenManager& sm) {
  sm.Show("ip");
}

}  // namespace

ScreenDesign ConnectScreen() {
  ScreenDesign s = ManualScreen("connect", "connect", 13950, 10815, 1200, 810);
  s.controls = {
      Picture("Picture1", 60, 60, 1095, 735, "connect"),
      Image("Image1", 0, 0, 1215, 795),  // beneath the picture: its thin border clicks too
  };
  s.click["Picture1"] = connect_Picture1_Click;
  s.click["Image1"] = connect_Image1_Click;
  return s;
}

}  // namespace quillon::game
