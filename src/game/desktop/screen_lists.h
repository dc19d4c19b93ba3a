// Lists of screens that handlers walk in a fixed order, asking which one is showing.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/screen_manager.h"

namespace quillon::game {

// The first of `screens`, in the order given, that is showing; empty when none is.
// Asking is a visibility test: a screen that is not loaded is created hidden on the way (its
// load handler runs), exactly as when a handler reads its Visible.
inline std::string FirstShowing(engine::ScreenManager& sm,
                                std::initializer_list<std::string_view> screens) {
  for (std::string_view screen : screens) {
    if (sm.IsVisible(screen)) return std::string(screen);
  }
  return {};
}

// Unloads the first of `screens` that is showing, and no other. Returns the screen unloaded,
// or an empty name when none was showing.
inline std::string UnloadFirstShowing(engine::ScreenManager& sm,
                                      std::initializer_list<std::string_view> screens) {
  std::string screen = FirstShowing(sm, screens);
  if (!screen.empty()) sm.Unload(screen);
  return screen;
}

// Unloads `screen` when it is loaded and showing. Unlike a visibility test, this does not
// create a screen that is not loaded just to ask: the password breaker created that way would
// run its route check while a map is being disconnected, and a Disconnect carries no penalty.
inline void UnloadIfOpen(engine::ScreenManager& sm, std::string_view screen) {
  if (sm.Peek(screen) && sm.IsVisible(screen)) sm.Unload(screen);
}

}  // namespace quillon::game
