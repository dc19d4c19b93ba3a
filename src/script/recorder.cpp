#include "script/recorder.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ostream>
#include <vector>

#include "game/identity.h"
#include "script/runner.h"

namespace quillon::script {

namespace {

using engine::kBackspaceKey;
using engine::kEnterKey;
using engine::kEscapeKey;

size_t CharacterCount(const std::string& text) {
  return size_t(std::count_if(text.begin(), text.end(), [](char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  }));
}

// The bytes of the first `count` characters of `text`.
size_t PrefixBytes(const std::string& text, size_t count) {
  size_t at = 0;
  for (size_t seen = 0; at < text.size(); ++at) {
    if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80 && seen++ == count) break;
  }
  return at;
}

// How many characters two texts share at their start.
size_t SharedCharacters(const std::string& a, const std::string& b) {
  size_t bytes = 0;
  while (bytes < a.size() && bytes < b.size() && a[bytes] == b[bytes]) ++bytes;
  // Back to the start of a character both hold whole.
  while (bytes > 0 && bytes < a.size() && (static_cast<unsigned char>(a[bytes]) & 0xC0) == 0x80) {
    --bytes;
  }
  return CharacterCount(a.substr(0, bytes));
}

bool HasControlCharacter(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char byte) {
    return !engine::IsTypeableCharacter(static_cast<unsigned char>(byte));
  });
}

}  // namespace

std::string RecordingHeader(const std::string& date) {
  return std::string("# Quillon ") + game::kVersion + ", a game recorded on " + date +
         " with quillon --record.\n"
         "# Play it again with quillon --replay FILE (in the window) or quillon --script FILE.\n";
}

ScriptRecorder::ScriptRecorder(const std::string& file, const engine::ScreenManager& manager,
                               std::ostream& err, const std::string& date)
    : manager_(manager), err_(err), file_(file) {
  fd_ = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    Fail(errno);
    return;
  }
  seekable_ = ::lseek(fd_, 0, SEEK_CUR) >= 0;
  WriteAll(RecordingHeader(date));
}

ScriptRecorder::~ScriptRecorder() {
  if (fd_ >= 0) ::close(fd_);
}

void ScriptRecorder::Fail(int error) {
  if (failed_) return;
  failed_ = true;
  err_ << "quillon: cannot record the game to " << file_ << ": " << std::strerror(error)
       << "; the game goes on unrecorded" << std::endl;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void ScriptRecorder::WriteAll(const std::string& text) {
  if (failed_) return;
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = ::write(fd_, text.data() + done, text.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
      return;
    }
    done += size_t(written);
  }
  size_ += std::int64_t(text.size());
}

void ScriptRecorder::Write(const std::string& line) {
  WriteAll(line + '\n');
}

void ScriptRecorder::Rewrite(std::int64_t offset, const std::string& text) {
  if (failed_) return;
  if (::ftruncate(fd_, offset) != 0 || ::lseek(fd_, offset, SEEK_SET) < 0) {
    Fail(errno);
    return;
  }
  size_ = offset;
  WriteAll(text);
}

void ScriptRecorder::WaitUntil(std::int64_t moment) {
  while (moment > lastMoment_) {
    const std::int64_t step = std::min(moment - lastMoment_, kMaxWaitMs);
    Write("wait " + std::to_string(step));
    lastMoment_ += step;
  }
}

void ScriptRecorder::CannotSay(std::int64_t moment, const std::string& what) {
  WaitUntil(moment);
  Write("# " + what + ": no script line does that, so a replay may differ from here on");
  if (toldCannotSay_ || failed_) return;
  toldCannotSay_ = true;
  err_ << "quillon: the recording cannot hold all the player did (see its comment lines); it "
          "may not replay the same"
       << std::endl;
}

void ScriptRecorder::BeforeEvent(const session::PlayerEvent& event, std::int64_t moment, bool timersFired) {
  if (over_ || failed_) return;
  SettleKey(false);
  if (event.kind == session::PlayerEvent::Kind::Key) {
    RecordKey(event, moment, timersFired);
    return;
  }
  typeOpen_ = false;
  switch (event.kind) {
    case session::PlayerEvent::Kind::Click:
      WaitUntil(moment);
      Write("click " + event.screen + " " + event.control);
      break;
    case session::PlayerEvent::Kind::ClickScreen: {
      const std::string control = StandIn(event.screen);
      if (control.empty()) {
        CannotSay(moment, "a click on the empty area of " + event.screen);
      } else {
        WaitUntil(moment);
        Write("click " + event.screen + " " + control);
      }
      break;
    }
    case session::PlayerEvent::Kind::Focus: {
      // A click on the box moves the focus as Tab does when its screen is in front already
      // and the box does nothing else on a click.
      const std::vector<std::string> visible = manager_.VisibleFrontToBack();
      const engine::ScreenDesign* design = manager_.Design(event.screen);
      if (!visible.empty() && visible.front() == event.screen && design &&
          !design->click.count(event.control)) {
        WaitUntil(moment);
        Write("click " + event.screen + " " + event.control);
      } else {
        CannotSay(moment, "Tab to " + event.screen + "." + event.control);
      }
      break;
    }
    case session::PlayerEvent::Kind::Edit:
      RecordEdit(event, moment);
      break;
    case session::PlayerEvent::Kind::Key:
      break;
  }
}

void ScriptRecorder::RecordKey(const session::PlayerEvent& event, std::int64_t moment, bool timersFired) {
  if (!engine::IsTypeableCharacter(event.key)) {
    typeOpen_ = false;
    if (event.key == kBackspaceKey || event.key == kEnterKey || event.key == kEscapeKey) {
      WaitUntil(moment);
      Write("key " + std::to_string(event.key));
    } else {
      CannotSay(moment, "the key of code " + std::to_string(event.key));
    }
    return;
  }
  const std::string character = engine::Utf8(event.key);
  const bool mayJoin = typeOpen_ && seekable_ && !timersFired && event.screen == typeScreen_ &&
                       event.control == typeControl_;
  if (mayJoin) {
    // On its own line for now: it joins the line before once handled without the clock.
    keyPending_ = true;
    keyStart_ = size_;
    keyMoment_ = moment;
    keyText_ = character;
    const std::int64_t last = lastMoment_;
    WaitUntil(moment);
    lastMoment_ = last;
    Write("type " + character);
    return;
  }
  WaitUntil(moment);
  typeOpen_ = true;
  typeStart_ = size_;
  typeText_ = character;
  typeScreen_ = event.screen;
  typeControl_ = event.control;
  Write("type " + character);
}

void ScriptRecorder::SettleKey(bool joins) {
  if (!keyPending_) return;
  keyPending_ = false;
  if (joins) {
    typeText_ += keyText_;
    Rewrite(typeStart_, "type " + typeText_ + "\n");
    return;
  }
  // The key stays on a line of its own at its own moment, and starts a new `type` line.
  lastMoment_ = keyMoment_;
  typeStart_ = size_ - std::int64_t(("type " + keyText_ + "\n").size());
  typeText_ = keyText_;
}

void ScriptRecorder::AfterEvent(const session::PlayerEvent& event, bool clockRead) {
  if (over_ || failed_) return;
  if (event.kind == session::PlayerEvent::Kind::Key) SettleKey(!clockRead);
}

void ScriptRecorder::RecordEdit(const session::PlayerEvent& event, std::int64_t moment) {
  // An edit is pressed again as Backspaces and characters at the end of the text: the same
  // when the box is the focused one and the game watches neither its keys nor its changes.
  const engine::ScreenState* screen = manager_.Peek(event.screen);
  const engine::ControlState* box = screen ? screen->Find(event.control) : nullptr;
  const engine::ScreenDesign* design = manager_.Design(event.screen);
  const bool focused =
      manager_.ActiveScreen() == event.screen && manager_.FocusedControl() == event.control;
  const std::string what = "an edit of " + event.screen + "." + event.control + " to '" +
                           event.text + "' that is no key press";
  if (!box || !design || !focused || design->keyPress.count(event.control) ||
      design->change.count(event.control) || HasControlCharacter(event.text)) {
    CannotSay(moment, what);
    return;
  }
  const size_t kept = SharedCharacters(box->text, event.text);
  WaitUntil(moment);
  for (size_t erase = CharacterCount(box->text) - kept; erase > 0; --erase) {
    Write("key " + std::to_string(kBackspaceKey));
  }
  const std::string added = event.text.substr(PrefixBytes(event.text, kept));
  if (!added.empty()) Write("type " + added);
}

std::string ScriptRecorder::StandIn(const std::string& screen) const {
  const engine::ScreenState* state = manager_.Peek(screen);
  if (!state) return {};
  // A frame, shape or line first: in the window they take no click of their own.
  std::string fallback;
  for (const engine::ControlState& control : state->controls) {
    const engine::ControlDesign& design = *control.design;
    if (!control.visible || design.kind == engine::ControlKind::TextBox ||
        design.kind == engine::ControlKind::Timer || state->design->click.count(design.name)) {
      continue;
    }
    if (design.kind == engine::ControlKind::Shape || design.kind == engine::ControlKind::Frame ||
        design.kind == engine::ControlKind::Line) {
      return design.name;
    }
    if (fallback.empty()) fallback = design.name;
  }
  return fallback;
}

void ScriptRecorder::GameOver(std::int64_t moment) {
  if (over_) return;
  SettleKey(false);
  if (!failed_) WaitUntil(moment);
  over_ = true;
}

}  // namespace quillon::script
