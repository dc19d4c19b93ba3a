// A game past its splash, with the steps of a connection as the player makes them.
#pragma once

#include <sstream>
#include <string>

#include "game_test.h"

namespace quillon::testing {

class ConnectionTest : public GameTest {
 protected:
  ConnectionTest() { Wait(1600); }

  // Opens the address entry, types each part into its box, clicking the box first, and connects.
  void Connect(const std::string& address) {
    Click("connect", "Picture1");
    std::istringstream parts(address);
    std::string part;
    for (int box = 1; std::getline(parts, part, '.'); ++box) {
      Click("ip", "Text" + std::to_string(box));
      Type(part);
    }
    Click("ip", "Command1");
  }

  void GiveTool(const std::string& button) { sm.Control("Programy", button).SetVisible(true); }

  void BypassProxy() {
    GiveTool("Command6");
    Click("Programy", "Command6");
  }

  void StartBreaker() { Click("Programy", "Command1"); }

  void LogIn(const std::string& name, const std::string& password) {
    Click("login", "Text1");
    Type(name);
    Click("login", "Text2");
    Type(password);
    Click("login", "Command1");
  }

  // Mission 1 as far as the first target: connected, bypassed, broken and logged in.
  void OpenComp1() {
    Connect("155.8.13.76");
    BypassProxy();
    StartBreaker();
    Wait(21'000);
    Click("login", "Command1");
  }

  void OpenWizard() {
    GiveTool("Command3");
    Click("Programy", "Command3");
  }

  void SetCriminality(const std::string& level) {
    sm.Control("Statistika", "Label1").SetCaption(level);
  }
};

}  // namespace quillon::testing
