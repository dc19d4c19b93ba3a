#include "game_driver.h"

#include <algorithm>
#include <array>

#include "game/game.h"

namespace quillon::fuzz {

namespace {

// What the bytes outside printable ASCII type: the editing keys, other control characters,
// Czech letters, and characters of two, three and four UTF-8 bytes.
constexpr std::array kSpecialKeys{
    8,      13,      27,     9,      0,      1,      10,     31,       127,     0xA0,   0x10D,
    0x159,  0x17E,   0x161,  0x11B,  0xE1,   0xED,   0xE9,   0x16F,    0xFA,    0x10C,  0x158,
    0x20AC, 0x1F600, 0xFEFF, 0x3000, 0x2028, 0xFFFD, 0xFFFF, 0x10FFFF, 0x1F1E8, 0x200D, 0x301,
};

bool IsPrintableAscii(int byte) {
  return byte >= 0x20 && byte <= 0x7E;
}

}  // namespace

int KeyCode(std::uint8_t byte) {
  if (IsPrintableAscii(byte)) return byte;
  return kSpecialKeys[byte % kSpecialKeys.size()];
}

std::optional<std::uint8_t> KeyByte(int code) {
  for (int byte = 0; byte < 256; ++byte) {
    if (KeyCode(static_cast<std::uint8_t>(byte)) == code) return static_cast<std::uint8_t>(byte);
  }
  return std::nullopt;
}

bool FakeSound::Play(const std::string&) {
  ++calls;
  switch (mode_) {
    case SoundMode::kCannotPlay:
      return false;
    case SoundMode::kEveryOtherFails:
      return calls % 2 == 1;
    default:
      return true;
  }
}

std::optional<std::uint8_t> ByteReader::Next() {
  if (position_ >= size_) return std::nullopt;
  return data_[position_++];
}

std::optional<SoundMode> ReadSoundMode(ByteReader& bytes) {
  const std::optional<std::uint8_t> setUp = bytes.Next();
  if (!setUp) return std::nullopt;
  return static_cast<SoundMode>(*setUp % 3);
}

GameDriver::GameDriver(SoundMode sound)
    : sound_(sound), game_(game::GameScreens(), sound_, documents_, dates_) {
  game_.Start(game::kFirstScreen);
}

std::vector<std::string> GameDriver::LoadedScreens() const {
  static const std::vector<std::string> every = game::GameScreens().Names();
  std::vector<std::string> loaded;
  for (const std::string& name : every) {
    if (Manager().Peek(name)) loaded.push_back(name);
  }
  return loaded;
}

void GameDriver::Click(std::uint8_t screenSelector, std::uint8_t controlIndex) {
  const std::vector<std::string> loaded = LoadedScreens();
  if (loaded.empty()) return;
  const std::string& screen = loaded[screenSelector % loaded.size()];
  const std::vector<engine::ControlDesign>& controls = Manager().Design(screen)->controls;
  const std::string control =
      controls.empty() ? std::string() : controls[controlIndex % controls.size()].name;
  game_.Deliver(session::PlayerEvent::ClickOn(screen, control));
}

void GameDriver::ClickScreen(std::uint8_t screenSelector) {
  const std::vector<std::string> loaded = LoadedScreens();
  if (!loaded.empty())
    game_.Deliver(session::PlayerEvent::ClickOn(loaded[screenSelector % loaded.size()], {}));
}

void GameDriver::Key(int code) {
  game_.Deliver(session::PlayerEvent::KeyPress(code));
}

void GameDriver::Edit(const std::string& text) {
  const std::string box = Manager().FocusedControl();
  if (!box.empty())
    game_.Deliver(session::PlayerEvent::EditOf(Manager().ActiveScreen(), box, text));
}

void GameDriver::Wait(WaitMode mode, std::int64_t jumpMs) {
  std::int64_t ms = jumpMs;
  if (mode != WaitMode::kJump) {
    const std::optional<std::int64_t> due = game_.NextTimerDue();
    const std::int64_t untilDue = due ? std::max<std::int64_t>(*due - game_.Now(), 0) : 1;
    if (mode == WaitMode::kJustBefore) ms = std::max<std::int64_t>(untilDue - 1, 0);
    if (mode == WaitMode::kExactly) ms = untilDue;
    if (mode == WaitMode::kJustAfter) ms = untilDue + 1;
  }
  game_.Advance(ms);
}

void EncodeClick(std::vector<std::uint8_t>& out, std::size_t screenIndex, std::size_t control) {
  out.push_back(static_cast<std::uint8_t>(Op::kClick));
  out.push_back(static_cast<std::uint8_t>(screenIndex));
  out.push_back(static_cast<std::uint8_t>(control));
}

void EncodeKey(std::vector<std::uint8_t>& out, int code) {
  if (const std::optional<std::uint8_t> byte = KeyByte(code)) {
    out.push_back(static_cast<std::uint8_t>(Op::kKey));
    out.push_back(*byte);
    return;
  }
  out.push_back(static_cast<std::uint8_t>(Op::kWideKey));
  out.push_back(static_cast<std::uint8_t>((code >> 8) & 0xFF));
  out.push_back(static_cast<std::uint8_t>(code & 0xFF));
}

void EncodeJump(std::vector<std::uint8_t>& out, std::int64_t ms) {
  while (ms > 0) {
    const std::int64_t step = std::min<std::int64_t>(ms, 0xFFFF);
    out.push_back(static_cast<std::uint8_t>(Op::kWait));
    out.push_back(static_cast<std::uint8_t>(WaitMode::kJump));
    out.push_back(static_cast<std::uint8_t>(step >> 8));
    out.push_back(static_cast<std::uint8_t>(step & 0xFF));
    ms -= step;
  }
}

}  // namespace quillon::fuzz
