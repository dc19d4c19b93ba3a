#include "game_invariants.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>
#include <string_view>
#include <vector>

namespace quillon::fuzz {

using engine::ControlKind;
using engine::ScreenManager;
using engine::ScreenState;

namespace {

constexpr std::array<std::string_view, 4> kCriminality{"Není", "Malá", "Střední", "Velká"};
constexpr std::array<std::string_view, 5> kPopularity{"Začátečník", "Málo známý", "Středně známý",
                                                      "Známý", "Hodně známý"};

// "0", "20 000", "206 000": digits in groups of three from the right, a space between groups.
std::optional<long long> ParseMoney(const std::string& text) {
  if (text.empty() || text.size() > 15) return std::nullopt;
  long long value = 0;
  int digitsInGroup = 0;
  bool firstGroup = true;
  for (char c : text) {
    if (c == ' ') {
      if (digitsInGroup == 0 || (!firstGroup && digitsInGroup != 3)) return std::nullopt;
      firstGroup = false;
      digitsInGroup = 0;
      continue;
    }
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    if (firstGroup && digitsInGroup == 3) return std::nullopt;  // a space is missing
    value = value * 10 + (c - '0');
    ++digitsInGroup;
  }
  if (!firstGroup && digitsInGroup != 3) return std::nullopt;
  if (text.size() > 1 && text[0] == '0') return std::nullopt;
  return value;
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// A level that only rises through `levels`; `rank` is the last one seen, moved on to `text`'s.
template <size_t N>
std::optional<std::string> CheckRising(const char* what,
                                       const std::array<std::string_view, N>& levels,
                                       const std::string& text, int& rank) {
  const auto it = std::find(levels.begin(), levels.end(), text);
  if (it == levels.end()) return std::string(what) + " reads " + Quoted(text);
  const int now = static_cast<int>(it - levels.begin());
  if (now < rank) {
    return std::string(what) + " fell from " + Quoted(std::string(levels[size_t(rank)])) + " to " +
           Quoted(text);
  }
  rank = now;
  return std::nullopt;
}

std::optional<std::string> CheckScreensAndZOrder(const ScreenManager& sm,
                                                 const std::vector<std::string>& loaded) {
  const std::vector<std::string> visible = sm.VisibleFrontToBack();
  std::set<std::string> listed;
  for (const std::string& screen : visible) {
    const ScreenState* state = sm.Peek(screen);
    if (!state) return "the visible screen " + screen + " is not loaded";
    if (!state->visible) return "the z-order lists the hidden screen " + screen + " as visible";
    if (!listed.insert(screen).second) return "the z-order lists " + screen + " twice";
  }
  for (const std::string& screen : loaded) {
    if (sm.Peek(screen)->visible && !listed.count(screen)) {
      return "the visible screen " + screen + " is missing from the z-order";
    }
  }
  return std::nullopt;
}

std::optional<std::string> CheckActiveScreen(const ScreenManager& sm) {
  const std::string active = sm.ActiveScreen();
  if (active.empty()) return std::nullopt;
  const ScreenState* state = sm.Peek(active);
  if (!state) return "the active screen " + active + " is not loaded";
  if (!state->visible) return "the active screen " + active + " is hidden";
  if (!state->enabled) return "the active screen " + active + " is disabled";
  return std::nullopt;
}

std::optional<std::string> CheckFocus(const ScreenManager& sm,
                                      const std::vector<std::string>& loaded) {
  for (const std::string& screen : loaded) {
    const ScreenState* state = sm.Peek(screen);
    if (state->focus < 0) continue;
    const auto index = static_cast<size_t>(state->focus);
    if (index >= state->design->controls.size()) {
      return "the focus of " + screen + " points past its controls";
    }
    if (state->design->controls[index].kind != ControlKind::TextBox) {
      return "the focus of " + screen + " is on " + state->design->controls[index].name +
             ", not a text box";
    }
  }
  const std::string focused = sm.FocusedControl();
  if (focused.empty()) return std::nullopt;
  const ScreenState* active = sm.Peek(sm.ActiveScreen());
  const engine::ControlDesign* control = active ? active->design->Find(focused) : nullptr;
  if (!control || control->kind != ControlKind::TextBox) {
    return "the focused control " + focused + " is not a text box of " + sm.ActiveScreen();
  }
  return std::nullopt;
}

// Only loaded screens hold timers: the earliest one armed on them is the engine's next due
// time, and none of them is overdue, since every wait fires whatever falls due within it.
std::optional<std::string> CheckTimers(const ScreenManager& sm,
                                       const std::vector<std::string>& loaded, std::int64_t now) {
  std::optional<std::int64_t> earliest;
  for (const std::string& screen : loaded) {
    for (const engine::ControlState& c : sm.Peek(screen)->controls) {
      if (c.design->kind != ControlKind::Timer || !c.enabled || c.design->interval <= 0) continue;
      if (c.due <= now) {
        return "the timer " + screen + "." + c.design->name + " is overdue: due at " +
               std::to_string(c.due) + " ms, now " + std::to_string(now) + " ms";
      }
      if (!earliest || c.due < *earliest) earliest = c.due;
    }
  }
  if (sm.NextTimerDue() != earliest) {
    return "the next timer due (" +
           (sm.NextTimerDue() ? std::to_string(*sm.NextTimerDue()) : std::string("none")) +
           ") is not the earliest armed on a loaded screen (" +
           (earliest ? std::to_string(*earliest) : std::string("none")) + ")";
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> GameInvariants::Check(const GameDriver& game) {
  const ScreenManager& sm = game.Manager();
  if (ended_) return CheckAfterEnd(game);
  if (sm.Ended()) {
    RememberEnd(game);
    return CheckAfterEnd(game);
  }

  const std::vector<std::string> loaded = game.LoadedScreens();
  if (auto broken = CheckStatistics(sm)) return broken;
  const ScreenState* map1 = sm.Peek("map1");
  const ScreenState* map2 = sm.Peek("map2");
  if (map1 && map2 && map1->visible && map2->visible) return "map1 and map2 are both visible";
  if (auto broken = CheckScreensAndZOrder(sm, loaded)) return broken;
  if (auto broken = CheckActiveScreen(sm)) return broken;
  if (auto broken = CheckFocus(sm, loaded)) return broken;
  return CheckTimers(sm, loaded, game.Now());
}

// The statistics panel is shown at start-up and never unloaded while the game runs, so it can
// be read without loading anything.
std::optional<std::string> GameInvariants::CheckStatistics(const ScreenManager& sm) {
  const ScreenState* statistics = sm.Peek("Statistika");
  if (!statistics) return "the statistics panel is not loaded while the game runs";

  if (auto broken = CheckRising("criminality", kCriminality, statistics->Find("Label1")->text,
                                criminality_)) {
    return broken;
  }
  if (auto broken =
          CheckRising("popularity", kPopularity, statistics->Find("Label2")->text, popularity_)) {
    return broken;
  }

  const std::string moneyText = statistics->Find("Label3")->text;
  const std::optional<long long> money = ParseMoney(moneyText);
  if (!money) return "money reads " + Quoted(moneyText);
  if (*money < money_) {
    return "money fell from " + std::to_string(money_) + " to " + Quoted(moneyText);
  }
  money_ = *money;
  return std::nullopt;
}

void GameInvariants::RememberEnd(const GameDriver& game) {
  ended_ = true;
  revisionAtEnd_ = game.Manager().Revision();
  soundsAtEnd_ = game.Sound().calls;
  documentsAtEnd_ = game.Documents().calls;
}

// Once the game ended nothing runs: no screen, no timer, no sound, no change at all.
std::optional<std::string> GameInvariants::CheckAfterEnd(const GameDriver& game) const {
  const ScreenManager& sm = game.Manager();
  if (!sm.Ended()) return "the game runs again after it ended";
  if (sm.Revision() != revisionAtEnd_) return "something changed after the game ended";
  if (!game.LoadedScreens().empty()) return "a screen is loaded after the game ended";
  if (!sm.ActiveScreen().empty()) return "a screen is active after the game ended";
  if (sm.NextTimerDue()) return "a timer is armed after the game ended";
  if (game.Sound().calls != soundsAtEnd_) return "a sound played after the game ended";
  if (game.Documents().calls != documentsAtEnd_) return "a page opened after the game ended";
  return std::nullopt;
}

}  // namespace quillon::fuzz
