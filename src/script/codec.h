// The script language, read and written in one place: script mode and the replay read it, the
// recorder writes it.
//
//   click SCREEN CONTROL   the player clicks a control
//   type TEXT              key presses into the focused text box of the active screen
//   key CODE               one key press with that character code
//   wait MS                virtual time moves on, firing the timers that fall due
//   print ITEM             ITEM=VALUE, ITEM being SCREEN.Visible|Loaded|Enabled or
//                          SCREEN.CONTROL.Visible|Caption|Text|Value|Enabled
//   expect ITEM VALUE      a FAIL line and exit status 1 when ITEM differs
//   screens                the visible screens, front to back
//   focus                  the focused text box of the active screen
//   # TEXT                 a comment; it does nothing, as a blank line does
//
// A line is refused when it is not understood, is longer than kMaxLineBytes, holds a NUL byte
// or bytes that are not UTF-8, has a control character in `type`, a key code that is no key or
// a wait that is not a whole number from 0 to kMaxWaitMs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/design.h"

namespace quillon::script {

// The longest script line, without its line end: 1 MiB.
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;
// The longest wait: one day of game time.
inline constexpr std::int64_t kMaxWaitMs = 86'400'000;

// What one script line asks for.
struct ScriptCommand {
  enum class Kind { Nothing, Comment, Click, Type, Key, Wait, Print, Expect, Screens, Focus };
  Kind kind = Kind::Nothing;  // Nothing: a blank line
  std::string screen;         // Click
  std::string control;        // Click
  std::vector<int> keys;      // Type: the code of each character; Key: its one code
  std::int64_t ms = 0;        // Wait
  std::string item;           // Print, Expect
  std::string value;          // Expect
  std::string text;           // Comment: all after the '#'

  static ScriptCommand Click(std::string screen, std::string control);
  static ScriptCommand Type(std::vector<int> keys);
  static ScriptCommand Key(int key);
  static ScriptCommand Wait(std::int64_t ms);
  static ScriptCommand Comment(std::string text);
  friend bool operator==(const ScriptCommand&, const ScriptCommand&) = default;
};

struct ScriptLine {
  std::int64_t number = 0;
  ScriptCommand command;
  std::string refusal;  // not empty: the line is refused, and this is why
};

// An item of print and expect, split at its dots: SCREEN.PROPERTY or SCREEN.CONTROL.PROPERTY.
struct ScriptItem {
  std::string screen;
  std::string control;  // empty for a property of the screen
  std::string property;
};

// Checks a line of a script (without its "\n"; the "\r" of a "\r\n" line end is dropped) and
// understands it, every name checked against the game's screens. Everything is checked but
// what depends on the run: how far the clock may go.
ScriptLine ParseScriptLine(const engine::ScreenRegistry& screens, std::string line,
                           std::int64_t number);

// The line that says `command`, without its line end.
std::string WriteScriptLine(const ScriptCommand& command);

// The line that says `command`, when reading it back gives the same command; nothing when it
// would be refused or understood otherwise (a control character in `type`, a name with a space,
// a line end in a comment).
std::optional<std::string> WriteFaithfully(const engine::ScreenRegistry& screens,
                                           const ScriptCommand& command);

// The code of each character of `text`; nothing when it is not well-formed UTF-8.
std::optional<std::vector<int>> CharacterCodes(std::string_view text);

// `text` as any line can hold it: each control character, and each byte that is no part of a
// well-formed UTF-8 character, shown as '?'.
std::string Printable(std::string_view text);

// The parts of an item that ParseScriptLine accepted.
ScriptItem SplitItem(const std::string& item);

// A script read line by line, each line checked and understood as it is read. A line longer
// than kMaxLineBytes comes back refused as soon as it is known to be, unread to its end. A
// byte-order mark at the start of the script (some editors write one) is skipped.
class ScriptReader {
 public:
  ScriptReader(const engine::ScreenRegistry& screens, std::istream& script);

  // The next line; nothing at the end of the script.
  std::optional<ScriptLine> Next();
  // Whether the script goes on after the lines read so far. It never reads to the script's
  // end, which may be endless (a pipe that never closes): it reads one line more, unchecked,
  // and when that one is blank or a comment, looks at the next byte. So a script that ends
  // with one blank line or comment does not go on.
  bool GoesOn();

 private:
  const engine::ScreenRegistry& screens_;
  std::istream& script_;
  std::string line_;
  std::int64_t number_ = 0;
};

}  // namespace quillon::script
