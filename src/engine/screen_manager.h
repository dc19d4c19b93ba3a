// The screen runtime: owns one instance of every screen, creates screens from their designs,
// dispatches clicks, keys and timer ticks to their handlers one at a time, and carries the
// exact show, hide, unload and end semantics the game relies on.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/design.h"
#include "engine/services.h"

namespace quillon::engine {

// The run-time values of one control; they start from the design and die with the screen.
struct ControlState {
  const ControlDesign* design = nullptr;
  bool visible = true;
  bool enabled = true;
  std::string text;  // caption of a label, button, frame or check box; text of a text box
  double value = 0;  // check box 0/1; progress bar value
  // Timers only: when the next tick is due, and the order in which timers were enabled.
  std::int64_t due = 0;
  std::uint64_t armedOrder = 0;
};

struct ScreenState {
  const ScreenDesign* design = nullptr;
  std::uint64_t instance = 0;  // tells a new instance from an unloaded one of the same name
  bool visible = false;
  bool enabled = true;
  int focus = -1;  // index of the text box that has the focus, -1 for none
  std::vector<ControlState> controls;
  std::map<std::string, double, std::less<>> variables;  // the screen's own fields

  const ControlState* Find(std::string_view control) const;
  ControlState* Find(std::string_view control);
};

struct Services {
  SoundPlayer* sound = nullptr;
  DocumentOpener* documents = nullptr;
  const DateFormatter* dates = nullptr;
  const Clock* clock = nullptr;
};

class ControlRef;

class ScreenManager {
 public:
  ScreenManager(const ScreenRegistry& designs, Services services);
  ~ScreenManager();
  ScreenManager(const ScreenManager&) = delete;
  ScreenManager& operator=(const ScreenManager&) = delete;

  // --- What handlers do --------------------------------------------------------------------
  // Creates the screen if it is not loaded (its load handler runs while it is still hidden),
  // makes it visible, brings it to the front and activates it. Returns whether it is showing
  // afterwards: a load handler may unload its own screen, and then nothing is shown.
  bool Show(std::string_view screen);
  // Both create a screen that is not loaded, hidden, with its load handler run.
  void SetVisible(std::string_view screen, bool visible);
  bool IsVisible(std::string_view screen);
  void SetEnabled(std::string_view screen, bool enabled);
  // Destroys the screen: every run-time change is lost and its timers stop.
  void Unload(std::string_view screen);
  // Stops the game at once: nothing runs after it, not even the rest of the calling handler.
  [[noreturn]] void End();
  // False when the sound cannot be played; the caller then shows `error`.
  bool PlaySound(const std::string& path);
  void OpenDocument(const std::string& target);
  std::string ShortDate(Date date) const;
  std::int64_t NowMs() const;
  // Runs `action` once the current click, key or tick has been handled, before the next one:
  // a load handler uses it to put a screen in front of its own, which is shown after it.
  void AfterEvent(Handler action);

  ControlRef Control(std::string_view screen, std::string_view control);
  // A field of the screen instance, lost with it like its controls' values (0 until written).
  double Field(std::string_view screen, std::string_view field);
  void SetField(std::string_view screen, std::string_view field, double value);

  // --- What the player and the platform do -------------------------------------------------
  // Loads the first screen, runs its load handler, then shows it.
  void Start(std::string_view firstScreen);
  // Whether a click on a control (or, for an empty `control`, on the screen's empty area)
  // reaches the game: the game runs, the screen is loaded, showing and enabled, and the
  // control is visible.
  bool TakesClick(std::string_view screen, std::string_view control = {}) const;
  // A click on a control. Ignored (false) unless TakesClick; otherwise the screen comes to the
  // front and is activated, a text box takes the focus, and the control's click handler runs.
  bool Click(std::string_view screen, std::string_view control);
  // A click on a screen's empty area: the screen comes to the front and is activated.
  bool ClickScreen(std::string_view screen);
  // A key pressed in a text box: runs its key-press handler and returns the character code
  // the box should take (0 when the handler swallowed it or the game ended).
  int KeyPress(std::string_view screen, std::string_view control, int keyAscii);
  // The player's edit changed the text of a box: stores it and runs the change handler.
  void EditText(std::string_view screen, std::string_view control, const std::string& text);
  // A key typed into the focused text box of the active screen, edited at the end of its
  // text: Backspace (8) removes the last character, Enter (13) and Escape (27) add nothing.
  void TypeKey(int keyAscii);
  // Fires, once each, every enabled timer that is due now, earliest first.
  void FireDueTimers();
  std::optional<std::int64_t> NextTimerDue() const;

  // --- Inspection: never loads a screen ----------------------------------------------------
  const ScreenDesign* Design(std::string_view screen) const;
  const ScreenRegistry& Designs() const { return designs_; }
  const ScreenState* Peek(std::string_view screen) const;
  std::vector<std::string> VisibleFrontToBack() const;
  std::string ActiveScreen() const { return active_; }
  // The focused text box of the active screen, or an empty name.
  std::string FocusedControl() const;
  bool Ended() const { return ended_; }
  // Grows on every change of what a player could see, so a front end redraws only then.
  std::uint64_t Revision() const { return revision_; }
  void SetEndListener(std::function<void()> listener) { onEnd_ = std::move(listener); }
  const std::function<void()>& EndListener() const { return onEnd_; }

  // --- Used by ControlRef --------------------------------------------------------------------
  // The loaded screen, created hidden if it is not loaded; null when its load handler
  // unloaded it again.
  ScreenState* Acquire(std::string_view screen);
  ControlState* AcquireControl(std::string_view screen, std::string_view control);
  void SetControlVisible(std::string_view screen, std::string_view control, bool visible);
  void SetControlText(std::string_view screen, std::string_view control, const std::string& text);
  void SetControlValue(std::string_view screen, std::string_view control, double value);
  void SetTimerEnabled(std::string_view screen, std::string_view control, bool enabled);
  void SetFocus(std::string_view screen, std::string_view control);

 private:
  struct EndRequested {};

  ScreenState* Loaded(std::string_view screen);
  // The screen a click lands on, brought to the front and activated; null when it is not
  // loaded, hidden or disabled.
  ScreenState* ActivateByClick(std::string_view screen);
  const ScreenDesign& RequireDesign(std::string_view screen) const;
  void BringToFront(const std::string& screen);
  void Activate(ScreenState& screen);
  void ActivateFrontmost();
  void Changed() { ++revision_; }
  // Runs a handler for an event from outside; catches the End of the game.
  void Dispatch(const std::function<void()>& event);

  const ScreenRegistry& designs_;
  Services services_;
  std::map<std::string, std::unique_ptr<ScreenState>, std::less<>> screens_;
  std::vector<std::string> zOrder_;  // loaded screens, front first
  std::string active_;
  std::uint64_t nextInstance_ = 1;
  std::uint64_t nextArmedOrder_ = 1;
  std::uint64_t revision_ = 1;
  bool ended_ = false;
  std::function<void()> onEnd_;
  std::vector<Handler> afterEvent_;
};

// A control addressed by screen and name; every access goes through the manager, so a
// screen that is not loaded is created hidden first, exactly as a property access does.
class ControlRef {
 public:
  ControlRef(ScreenManager& manager, std::string screen, std::string control)
      : manager_(manager), screen_(std::move(screen)), control_(std::move(control)) {}

  bool Visible() const;
  void SetVisible(bool visible) const;
  std::string Caption() const;
  void SetCaption(const std::string& caption) const;
  std::string Text() const;
  void SetText(const std::string& text) const;
  double Value() const;
  void SetValue(double value) const;
  bool Enabled() const;
  void SetEnabled(bool enabled) const;
  void SetFocus() const;

 private:
  const ControlState* State() const;

  ScreenManager& manager_;
  std::string screen_;
  std::string control_;
};

// How far virtual time can go, about 31 700 years: far past any game, and far enough from the
// end of std::int64_t that a timer's next due time cannot overflow.
inline constexpr std::int64_t kVirtualTimeLimitMs = 1'000'000'000'000'000;

// Moves virtual time on by `ms`, firing every timer that falls due on the way, in time order;
// a timer due exactly at the end fires too. The cost grows with the ticks that fire, not with
// `ms`. A negative `ms`, or one that would pass kVirtualTimeLimitMs, throws std::out_of_range
// and moves nothing.
void AdvanceVirtualTime(ScreenManager& manager, VirtualClock& clock, std::int64_t ms);

// The key codes of a text box besides the characters.
inline constexpr int kBackspaceKey = 8;
inline constexpr int kEnterKey = 13;
inline constexpr int kEscapeKey = 27;

// Whether a code is a character that types into a text box: no control character, no
// surrogate, at most U+10FFFF.
constexpr bool IsTypeableCharacter(std::int64_t code) {
  const bool control = code < 32 || code == 127;
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return !control && !surrogate && code <= 0x10FFFF;
}

// Whether a code is a key a player can press into a text box: Backspace, Enter, Escape or a
// character that types.
constexpr bool IsKeyCode(std::int64_t code) {
  return code == kBackspaceKey || code == kEnterKey || code == kEscapeKey ||
         IsTypeableCharacter(code);
}

// The UTF-8 bytes of a character code.
std::string Utf8(int code);

}  // namespace quillon::engine
