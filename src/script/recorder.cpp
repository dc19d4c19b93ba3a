#include "script/recorder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <ostream>
#include <system_error>
#include <utility>
#include <vector>

#include "game/identity.h"

namespace quillon::script {

namespace {

using engine::kBackspaceKey;

ScriptCommand CommentSaying(const std::string& text) {
  return ScriptCommand::Comment(" " + text);
}

// The first lines of a recording: "# Quillon VERSION, a game recorded on DATE ...".
std::vector<ScriptCommand> HeaderLines(const std::string& date, const std::string& recordedWith) {
  return {CommentSaying(std::string("Quillon ") + game::kVersion + ", a game recorded on " +
                        Printable(date) + " with " + recordedWith + "."),
          CommentSaying("Play it again with quillon --replay FILE (in the window) or quillon "
                        "--script FILE.")};
}

// Whether `path` is one of the files in `folder`, under this name or any other.
bool IsIn(const std::string& path, const std::filesystem::path& folder) {
  if (folder.empty()) return false;
  std::error_code error;
  for (auto entry = std::filesystem::directory_iterator(folder, error);
       !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    std::error_code notThere;
    if (std::filesystem::equivalent(path, entry->path(), notThere)) return true;
  }
  return false;
}

bool IsRegular(int fd) {
  struct stat status {};
  return ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

std::string CannotRecord(const std::string& path, const std::string& why) {
  return "cannot record the game to " + path + ": " + why;
}

RecordingFile::RecordingFile(std::string path, const std::filesystem::path& ownFolder)
    : path_(std::move(path)) {
  if (IsIn(path_, ownFolder)) {
    refusal_ = "it is one of the game's own sound files";
    return;
  }
  // Not emptied on opening: the file may be another game's recording, still being written.
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    openError_ = errno;
    return;
  }
  // Held until the file is closed; a file system without locks records unlocked.
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    refusal_ = "another game is recording into it";
    Close();
  }
}

RecordingFile::RecordingFile(RecordingFile&& other) noexcept
    : path_(std::move(other.path_)),
      refusal_(std::move(other.refusal_)),
      fd_(std::exchange(other.fd_, -1)),
      openError_(other.openError_) {}

RecordingFile::~RecordingFile() {
  Close();
}

void RecordingFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

ScriptRecorder::ScriptRecorder(RecordingFile file, const engine::ScreenManager& manager,
                               std::ostream& err, const std::string& date,
                               const std::string& recordedWith)
    : manager_(manager), err_(err), file_(std::move(file)) {
  if (file_.refusal_) {
    Fail(*file_.refusal_);
    return;
  }
  if (file_.fd_ < 0) {
    Fail(std::strerror(file_.openError_));
    return;
  }
  // A device such as /dev/null takes writes but can be neither cut nor rewritten.
  regular_ = IsRegular(file_.fd_);
  if (regular_ && ::ftruncate(file_.fd_, 0) != 0) {
    Fail(std::strerror(errno));
    return;
  }
  for (const ScriptCommand& line : HeaderLines(date, recordedWith)) Say(line);
}

ScriptRecorder::~ScriptRecorder() = default;

void ScriptRecorder::Fail(const std::string& why) {
  if (failed_) return;
  failed_ = true;
  // A file that kept whole lines before the failure replays up to there: the player may still
  // use it.
  const bool kept = regular_ && size_ > 0;
  err_ << "quillon: " << CannotRecord(file_.Path(), why)
       << (kept ? "; the recording ends here, and replays up to its last whole line"
                : "; the game goes on unrecorded")
       << std::endl;
  file_.Close();
}

void ScriptRecorder::CutBackTo(std::int64_t size) {
  // A line half written (a full disk) would make the whole recording refused; the lines before
  // it replay. Nothing to cut on a device, which keeps no file.
  if (regular_ && ::ftruncate(file_.fd_, size) != 0) {
    // Nothing more to try: the player is told the recording failed all the same.
  }
}

void ScriptRecorder::WriteAll(const std::string& text) {
  if (failed_) return;
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = ::write(file_.fd_, text.data() + done, text.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      CutBackTo(size_);
      Fail(std::strerror(error));
      return;
    }
    done += size_t(written);
  }
  size_ += std::int64_t(text.size());
}

void ScriptRecorder::Write(const std::string& line) {
  WriteAll(line + '\n');
}

bool ScriptRecorder::WriteFaithful(const ScriptCommand& command) {
  const std::optional<std::string> line = WriteFaithfully(manager_.Designs(), command);
  if (line) Write(*line);
  return line.has_value();
}

bool ScriptRecorder::Say(const ScriptCommand& command) {
  if (WriteFaithful(command)) return true;
  Comment(WriteScriptLine(command));
  return false;
}

bool ScriptRecorder::Record(const ScriptCommand& command, std::int64_t moment) {
  WaitUntil(moment);
  return Say(command);
}

void ScriptRecorder::Rewrite(std::int64_t offset, const std::string& text) {
  if (failed_) return;
  if (::ftruncate(file_.fd_, offset) != 0 || ::lseek(file_.fd_, offset, SEEK_SET) < 0) {
    Fail(std::strerror(errno));
    return;
  }
  size_ = offset;
  WriteAll(text);
}

void ScriptRecorder::WaitUntil(std::int64_t moment) {
  while (moment > lastMoment_) {
    const std::int64_t step = std::min(moment - lastMoment_, kMaxWaitMs);
    Say(ScriptCommand::Wait(step));
    lastMoment_ += step;
  }
}

void ScriptRecorder::CannotSay(std::int64_t moment, const std::string& what) {
  WaitUntil(moment);
  Comment(what);
}

void ScriptRecorder::Comment(const std::string& what) {
  typeOpen_ = false;  // a `type` line rewritten would take the comment away
  const std::string why = ": no script line does that, so a replay may differ from here on";
  // What the player did, as far as a comment line can show it.
  if (!WriteFaithful(CommentSaying(Printable(what) + why))) {
    WriteFaithful(CommentSaying("something" + why));
  }
  if (toldCannotSay_ || failed_) return;
  toldCannotSay_ = true;
  err_ << "quillon: the recording cannot hold all the player did (see its comment lines); it "
          "may not replay the same"
       << std::endl;
}

void ScriptRecorder::BeforeEvent(const session::PlayerEvent& event, std::int64_t moment,
                                 bool timersFired) {
  if (over_ || failed_) return;
  SettleKey(false);
  if (event.kind == session::PlayerEvent::Kind::Key) {
    RecordKey(event, moment, timersFired);
    return;
  }
  typeOpen_ = false;
  switch (event.kind) {
    case session::PlayerEvent::Kind::Click:
      Record(ScriptCommand::Click(event.screen, event.control), moment);
      break;
    case session::PlayerEvent::Kind::ClickScreen: {
      const std::string control = StandIn(event.screen);
      if (control.empty()) {
        CannotSay(moment, "a click on the empty area of " + event.screen);
      } else {
        Record(ScriptCommand::Click(event.screen, control), moment);
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
        Record(ScriptCommand::Click(event.screen, event.control), moment);
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

void ScriptRecorder::RecordKey(const session::PlayerEvent& event, std::int64_t moment,
                               bool timersFired) {
  if (!engine::IsTypeableCharacter(event.key)) {
    typeOpen_ = false;
    if (engine::IsKeyCode(event.key)) {
      Record(ScriptCommand::Key(event.key), moment);
    } else {
      CannotSay(moment, "the key of code " + std::to_string(event.key));
    }
    return;
  }
  const ScriptCommand typed = ScriptCommand::Type({event.key});
  const bool mayJoin = typeOpen_ && regular_ && !timersFired && event.screen == typeScreen_ &&
                       event.control == typeControl_;
  if (mayJoin) {
    // On its own line for now: it joins the line before once handled without the clock.
    const std::int64_t last = lastMoment_;
    WaitUntil(moment);
    keyStart_ = size_;
    if (!Say(typed)) return;
    lastMoment_ = last;
    keyPending_ = true;
    keyMoment_ = moment;
    key_ = event.key;
    return;
  }
  WaitUntil(moment);
  typeStart_ = size_;
  typeOpen_ = Say(typed);
  typeKeys_ = typed.keys;
  typeScreen_ = event.screen;
  typeControl_ = event.control;
}

void ScriptRecorder::SettleKey(bool joins) {
  if (!keyPending_) return;
  keyPending_ = false;
  if (joins) {
    ScriptCommand joined = ScriptCommand::Type(typeKeys_);
    joined.keys.push_back(key_);
    if (const std::optional<std::string> line = WriteFaithfully(manager_.Designs(), joined)) {
      typeKeys_ = joined.keys;
      Rewrite(typeStart_, *line + "\n");
      return;
    }
  }
  // The key stays on a line of its own at its own moment, and starts a new `type` line.
  lastMoment_ = keyMoment_;
  typeStart_ = keyStart_;
  typeKeys_ = {key_};
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
  const std::optional<std::vector<int>> was = box ? CharacterCodes(box->text) : std::nullopt;
  const std::optional<std::vector<int>> now = CharacterCodes(event.text);
  if (!was || !now || !design || !focused || design->keyPress.count(event.control) ||
      design->change.count(event.control)) {
    CannotSay(moment, what);
    return;
  }
  const auto kept = size_t(std::mismatch(was->begin(), was->end(), now->begin(), now->end()).first -
                           was->begin());
  std::vector<ScriptCommand> lines(was->size() - kept, ScriptCommand::Key(kBackspaceKey));
  if (kept < now->size()) {
    lines.push_back(ScriptCommand::Type({now->begin() + long(kept), now->end()}));
  }
  // All of it or none: a text half typed again would replay as another edit.
  for (const ScriptCommand& line : lines) {
    if (!WriteFaithfully(manager_.Designs(), line)) {
      CannotSay(moment, what);
      return;
    }
  }
  WaitUntil(moment);
  for (const ScriptCommand& line : lines) WriteFaithful(line);
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
