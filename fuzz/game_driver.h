// Plays the whole game from a string of bytes, the way a player can: clicks on controls and on
// screens, keys typed into the focused text box, edits of that box, and virtual time that moves
// on across the timers' due times. Shared by the fuzzer and the tool that turns scripts into
// its seeds, so both read the bytes the same way.
//
// The bytes: one set-up byte (how the sound player behaves), then events, each an operation
// byte followed by its arguments; a missing argument ends the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/screen_manager.h"
#include "engine/services.h"
#include "session/game_session.h"

namespace quillon::fuzz {

enum class Op : std::uint8_t {
  kClick = 0,        // screen selector, control index
  kClickScreen = 2,  // screen selector
  kKey = 3,          // one byte, see KeyCode
  kTypeText = 4,     // length, then that many bytes, each a KeyCode
  kWait = 5,         // mode: next due -1, exactly, +1, or a jump by the next two bytes (ms)
  kWideKey = 6,      // two bytes: any character code of the basic plane
  kEdit = 7,         // length, then bytes: the player's edit replaces the focused box's text
};
inline constexpr int kOpCount = 8;  // 1 also reads as a click: clicks are what players do most

enum class WaitMode : std::uint8_t { kJustBefore = 0, kExactly = 1, kJustAfter = 2, kJump = 3 };

enum class SoundMode : std::uint8_t { kPlays = 0, kCannotPlay = 1, kEveryOtherFails = 2 };

// The character a key byte stands for: printable ASCII as itself, every other byte one of a
// few characters a Czech player types, the editing keys and other control characters.
int KeyCode(std::uint8_t byte);
// The key byte that stands for `code`, if one does.
std::optional<std::uint8_t> KeyByte(int code);

class FakeSound : public engine::SoundPlayer {
 public:
  explicit FakeSound(SoundMode mode) : mode_(mode) {}
  bool Play(const std::string& path) override;
  std::uint64_t calls = 0;

 private:
  SoundMode mode_;
};

class FakeDocuments : public engine::DocumentOpener {
 public:
  void Open(const std::string&) override { ++calls; }
  std::uint64_t calls = 0;
};

class CzechDates : public engine::DateFormatter {
 public:
  std::string ShortDate(engine::Date date) const override { return engine::CzechShortDate(date); }
};

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::optional<std::uint8_t> Next();
  bool AtEnd() const { return position_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

// One fresh game, started at its first screen.
class GameDriver {
 public:
  explicit GameDriver(SoundMode sound);
  GameDriver(const GameDriver&) = delete;
  GameDriver& operator=(const GameDriver&) = delete;

  // Reads one event and plays it; `afterEachStep` runs after every click, key, edit and wait
  // (a typed text is one step a key). False when the bytes ran out before a whole event.
  template <typename AfterStep>
  bool PlayNext(ByteReader& bytes, AfterStep&& afterEachStep);

  // The screens that are loaded now, by name: what a screen selector counts among.
  std::vector<std::string> LoadedScreens() const;

  const engine::ScreenManager& Manager() const { return game_.Game(); }
  std::int64_t Now() const { return game_.Now(); }
  const FakeSound& Sound() const { return sound_; }
  const FakeDocuments& Documents() const { return documents_; }

 private:
  void Click(std::uint8_t screenSelector, std::uint8_t controlIndex);
  void ClickScreen(std::uint8_t screenSelector);
  void Key(int code);
  void Edit(const std::string& text);
  void Wait(WaitMode mode, std::int64_t jumpMs);

  FakeSound sound_;
  FakeDocuments documents_;
  CzechDates dates_;
  session::GameSession game_;
};

// Reads the set-up byte and starts a game from it; nullopt for an empty input.
std::optional<SoundMode> ReadSoundMode(ByteReader& bytes);

// --- Encoding, for the seed maker ----------------------------------------------------------
void EncodeClick(std::vector<std::uint8_t>& out, std::size_t screenIndex, std::size_t control);
void EncodeKey(std::vector<std::uint8_t>& out, int code);
void EncodeJump(std::vector<std::uint8_t>& out, std::int64_t ms);

// -------------------------------------------------------------------------------------------

template <typename AfterStep>
bool GameDriver::PlayNext(ByteReader& bytes, AfterStep&& afterEachStep) {
  const std::optional<std::uint8_t> op = bytes.Next();
  if (!op) return false;
  switch (static_cast<Op>(*op % kOpCount)) {
    case Op::kClickScreen: {
      const std::optional<std::uint8_t> screen = bytes.Next();
      if (!screen) return false;
      ClickScreen(*screen);
      afterEachStep();
      return true;
    }
    case Op::kKey: {
      const std::optional<std::uint8_t> key = bytes.Next();
      if (!key) return false;
      Key(KeyCode(*key));
      afterEachStep();
      return true;
    }
    case Op::kTypeText: {
      const std::optional<std::uint8_t> length = bytes.Next();
      if (!length) return false;
      for (int i = 0; i < 1 + *length % 16; ++i) {
        const std::optional<std::uint8_t> key = bytes.Next();
        if (!key) return false;
        Key(KeyCode(*key));
        afterEachStep();
      }
      return true;
    }
    case Op::kWait: {
      const std::optional<std::uint8_t> mode = bytes.Next();
      if (!mode) return false;
      std::int64_t jump = 0;
      if (static_cast<WaitMode>(*mode % 4) == WaitMode::kJump) {
        const std::optional<std::uint8_t> high = bytes.Next();
        const std::optional<std::uint8_t> low = bytes.Next();
        if (!high || !low) return false;
        jump = *high * 256 + *low;
      }
      Wait(static_cast<WaitMode>(*mode % 4), jump);
      afterEachStep();
      return true;
    }
    case Op::kWideKey: {
      const std::optional<std::uint8_t> high = bytes.Next();
      const std::optional<std::uint8_t> low = bytes.Next();
      if (!high || !low) return false;
      int code = *high * 256 + *low;
      // A lone surrogate is no character; those codes stand for the emoji block instead.
      if (code >= 0xD800 && code <= 0xDFFF) code = 0x1F600 + (code & 0x4F);
      Key(code);
      afterEachStep();
      return true;
    }
    case Op::kEdit: {
      const std::optional<std::uint8_t> length = bytes.Next();
      if (!length) return false;
      std::string text;
      for (int i = 0; i < *length % 24; ++i) {
        const std::optional<std::uint8_t> key = bytes.Next();
        if (!key) return false;
        text += engine::Utf8(KeyCode(*key));
      }
      Edit(text);
      afterEachStep();
      return true;
    }
    default: {  // a click
      const std::optional<std::uint8_t> screen = bytes.Next();
      const std::optional<std::uint8_t> control = bytes.Next();
      if (!screen || !control) return false;
      Click(*screen, *control);
      afterEachStep();
      return true;
    }
  }
}

}  // namespace quillon::fuzz
