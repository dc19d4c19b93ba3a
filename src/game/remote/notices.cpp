#include "game/remote/notices.h"

#include <string>

#include "engine/screen_manager.h"
#include "game/desktop/notices.h"

namespace quillon::game {

using namespace engine;

namespace {

struct TargetNotice {
  std::string name;
  std::string title;
  std::string text;
  int textLeft = 0, textWidth = 0;
};

// The target notices are laid out alike, with the text placed to fit its length; the close
// picture unloads them.
ScreenDesign TargetNoticeScreen(const TargetNotice& n) {
  ScreenDesign s = CentredScreen(n.name, "Form1", 3765, 1305);
  s.controls = {
      Picture("Picture1", 1320, 780, 1215, 375, "close-button"),
      Label("Label4", 60, 15, 3615, 255, n.title).Title(),
      Label("Label1", n.textLeft, 360, n.textWidth, 195, n.text).Bold(),
      Shape("Shape2", 0, 0, 3735, 255),
      Shape("Shape1", 0, 240, 3735, 1035),
  };
  s.click["Picture1"] = UnloadOnClick(n.name);
  return s;
}

// Only whether the fourth target is open counts, not what refused the operation.
void oprávnění_Label1_Click(ScreenManager& sm) {
  if (sm.IsVisible("comp4")) {
    sm.Control("oprávnění", "Label1").SetCaption("Nemáte opravnění vstoupit do této sekce");
  }
}

}  // namespace

ScreenDesign OpravneniScreen() {
  ScreenDesign s = TargetNoticeScreen(
      {"oprávnění", "Chyba", "Nemáte oprávnění provést tuhle operaci", 60, 3615});
  s.click["Label1"] = oprávnění_Label1_Click;
  return s;
}

ScreenDesign KopirovaniScreen() {
  return TargetNoticeScreen(
      {"kopírování", "Kopírování dokončeno", "Soubor byl zkopírován na disk", 660, 2595});
}

ScreenDesign PripojeniScreen() {
  return TargetNoticeScreen(
      {"připojení", "Disconnect", "Dosavadní připojení bylo přerušeno", 240, 3060});
}

}  // namespace quillon::game
