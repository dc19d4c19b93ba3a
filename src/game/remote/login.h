// The login prompt shared by every target: one global account table, whose accounts work
// only while their mission is the current one on the message board.
#pragma once

#include <array>

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

// The user name of every target account.
inline constexpr const char* kTargetUser = "sysop";

// A target account works while the board icon `boardIcon` has the visibility `whileShown`.
struct TargetAccount {
  const char* password;
  const char* boardIcon;
  bool whileShown;
  const char* screen;  // what a successful login shows
};

// Tried in this order; at most one of them works at any moment of a game.
inline constexpr std::array<TargetAccount, 5> kTargetAccounts{{
    {"vilemzahradka", "Picture7", false, "comp1"},  // until mission 1 has been rewarded
    {"ivanbartosek", "Picture2", true, "Comp2"},
    {"karelmoucha", "Picture3", true, "comp3"},
    {"kvetnamor", "Picture4", true, "comp4"},
    {"ludekhora", "Picture5", true, "voice"},  // the fifth target asks for the voice first
}};

// Whether the message board makes this account the current one right now.
bool AccountIsCurrent(engine::ScreenManager& sm, const TargetAccount& account);

engine::ScreenDesign LoginScreen();

}  // namespace quillon::game
