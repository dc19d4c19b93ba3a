#include "network/connect.h"

namespace quillon {

using namespace engine;

ScreenDesign ConnectScreen() {
  ScreenDesign s = ManualScreen("connect", "connect", 13950, 10815, 1200, 810);
  s.controls = {
      Picture("Picture1", 60, 60, 1095, 735, "connect"),
      Image("Image1", 0, 0, 1215, 795),  // beneath the picture: its thin border clicks too
  };
  return s;
}

}  // namespace quillon
