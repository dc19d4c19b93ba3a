#include "game/remote/login.h"

#include <string>

namespace quillon::game {

using namespace engine;

bool AccountIsCurrent(ScreenManager& sm, const TargetAccount& account) {
  return sm.Control("board", account.boardIcon).Visible() == account.whileShown;
}

namespace {

void EmptyFields(ScreenManager& sm) {
  sm.Control("login", "Text2").SetText("");
  sm.Control("login", "Text1").SetText("");
}

void login_Form_Load(ScreenManager& sm) {
  EmptyFields(sm);
}

// One attempt: exact comparisons, no trimming; whatever the outcome the prompt ends hidden
// with both fields empty.
void login_Command1_Click(ScreenManager& sm) {
  const std::string name = sm.Control("login", "Text1").Text();
  const std::string password = sm.Control("login", "Text2").Text();
  for (const TargetAccount& account : kTargetAccounts) {
    if (name == kTargetUser && password == account.password && AccountIsCurrent(sm, account)) {
      sm.Show(account.screen);
      EmptyFields(sm);
      sm.SetVisible("login", false);
      return;
    }
  }
  EmptyFields(sm);
  sm.Show("security");
  if (sm.Control("Statistika", "Label1").Caption() == "Velká") sm.Show("loser");
  sm.SetVisible("login", false);
}

}  // namespace

ScreenDesign LoginScreen() {
  ScreenDesign s = CentredScreen("login", "Login", 3330, 2130);
  s.controls = {
      Label("Label4", 120, 75, 1455, 255, "Login").Title(),
      Label("Label1", 480, 360, 2415, 435, "Please insert your name and password"),
      Label("Label2", 120, 840, 555, 255, "Name:"),
      TextBox("Text1", 1080, 840, 2115, 225),
      Label("Label3", 120, 1200, 915, 195, "Password:"),
      TextBox("Text2", 1080, 1200, 2115, 225),
      Picture("Command1", 1080, 1620, 1215, 375, "login-button"),
      Shape("Shape2", 60, 60, 3255, 255),
      Shape("Shape1", 60, 300, 3255, 1815),
      Shape("Shape3", 1020, 780, 2235, 315),
      Shape("Shape4", 1020, 1140, 2235, 315),
  };
  s.load = login_Form_Load;
  s.click["Command1"] = login_Command1_Click;
  return s;
}

}  // namespace quillon::game
