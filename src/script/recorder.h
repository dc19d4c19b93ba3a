// A game written down as it is played, a listener of its game session, as a script that script
// mode and the replay play again the same way: every event the game receives becomes a `click`,
// `type` or `key` line, and the game time between two events a `wait`.
//
// Each line goes to the file as soon as its event comes, before the game handles it, so a game
// that crashes or is killed is kept up to its last event. Plain characters typed one after the
// other into the same box gather on one `type` line, as long as that replays the same: no timer
// fired between them and handling them did not look at the clock (the line is then rewritten in
// place). Every line is written by the script codec and read back before it goes to the file:
// what the script language cannot say (an edit that is no key press into a box the game watches,
// a line that would not read back as the same command) becomes a comment instead, and the
// player is told once that the replay may differ.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "engine/screen_manager.h"
#include "script/codec.h"
#include "session/player_event.h"

namespace quillon::script {

// The file a game is recorded into, opened (created when missing) and locked before the game
// starts: a second game recording into the same file at the same time would cut the lines of
// both apart, so it is refused instead, and the file is emptied only by the recorder that holds
// it. A game's own files are never opened for writing at all.
class RecordingFile {
 public:
  // Opens `path` unless it is one of the files in `ownFolder` (the game's sounds), compared by
  // identity, so that no other name for one of them gets past.
  explicit RecordingFile(std::string path, const std::filesystem::path& ownFolder = {});
  ~RecordingFile();
  RecordingFile(RecordingFile&& other) noexcept;
  RecordingFile& operator=(RecordingFile&&) = delete;

  const std::string& Path() const { return path_; }
  // Why no game may record into the file, for "cannot record the game to PATH: WHY"; nothing
  // when it may. A file that cannot be opened is no refusal: the game goes on unrecorded.
  const std::optional<std::string>& Refusal() const { return refusal_; }

 private:
  friend class ScriptRecorder;
  void Close();

  std::string path_;
  std::optional<std::string> refusal_;
  int fd_ = -1;
  int openError_ = 0;  // errno when it could not be opened
};

// What the player is told of a file the game cannot record into, without the game's prefix:
// "cannot record the game to PATH: WHY".
std::string CannotRecord(const std::string& path, const std::string& why);

class ScriptRecorder : public session::PlayerEventListener {
 public:
  // Empties `file` and writes the header: the game's version, `date` and what it was recorded
  // with. A file that cannot be written, now or later, or one refused, is reported once on
  // `err` and the game goes on unrecorded; a write that fails leaves the file whole up to its
  // last line, which replays up to there.
  ScriptRecorder(RecordingFile file, const engine::ScreenManager& manager, std::ostream& err,
                 const std::string& date, const std::string& recordedWith = "quillon --record");
  ScriptRecorder(const std::string& file, const engine::ScreenManager& manager, std::ostream& err,
                 const std::string& date, const std::string& recordedWith = "quillon --record")
      : ScriptRecorder(RecordingFile(file), manager, err, date, recordedWith) {}
  ~ScriptRecorder() override;
  ScriptRecorder(const ScriptRecorder&) = delete;
  ScriptRecorder& operator=(const ScriptRecorder&) = delete;

  // Whether writing the recording failed: the program then ends with kRecordingFailedStatus.
  bool Failed() const { return failed_; }

  void BeforeEvent(const session::PlayerEvent& event, std::int64_t moment,
                   bool timersFired) override;
  void AfterEvent(const session::PlayerEvent& event, bool clockRead) override;
  void GameOver(std::int64_t moment) override;

 private:
  // The file: a line at its end; everything from `offset` on replaced by `text`.
  void Write(const std::string& line);
  void Rewrite(std::int64_t offset, const std::string& text);
  void WriteAll(const std::string& text);
  void Fail(const std::string& why);
  // The file back to its first `size` bytes, the whole lines before a write that failed.
  void CutBackTo(std::int64_t size);
  // The line of `command` at the end of the file, when it reads back as the same command.
  bool WriteFaithful(const ScriptCommand& command);
  // The line of `command`, or a comment in its place when none says it faithfully.
  bool Say(const ScriptCommand& command);
  // `command` at `moment`: the waits up to it, then its line.
  bool Record(const ScriptCommand& command, std::int64_t moment);
  // `wait` lines for the game time from the last event to `moment`.
  void WaitUntil(std::int64_t moment);
  // A comment for what no script line says (at `moment`), and the player told once.
  void CannotSay(std::int64_t moment, const std::string& what);
  void Comment(const std::string& what);
  void RecordKey(const session::PlayerEvent& event, std::int64_t moment, bool timersFired);
  void RecordEdit(const session::PlayerEvent& event, std::int64_t moment);
  // A visible control of a screen that a click may stand in for a click on the screen's empty
  // area: no text box, no click handler. Empty when there is none.
  std::string StandIn(const std::string& screen) const;
  // A key that may join the `type` line before it has been written on a line of its own; it
  // joins that line once the game has handled it without looking at the clock.
  void SettleKey(bool joins);

  const engine::ScreenManager& manager_;
  std::ostream& err_;
  RecordingFile file_;
  // A regular file, whose lines may be rewritten in place and cut back; a device or a pipe
  // takes each line as it comes.
  bool regular_ = false;
  bool failed_ = false;
  bool toldCannotSay_ = false;
  bool over_ = false;
  std::int64_t size_ = 0;        // bytes written: the offset of the next line
  std::int64_t lastMoment_ = 0;  // the game time of the last event written

  // The `type` line that plain characters may still join.
  bool typeOpen_ = false;
  std::int64_t typeStart_ = 0;  // its offset in the file
  std::vector<int> typeKeys_;
  std::string typeScreen_, typeControl_;

  // A key written on its own `type` line that may still join the `type` line before.
  bool keyPending_ = false;
  std::int64_t keyStart_ = 0;   // the offset of its line
  std::int64_t keyMoment_ = 0;  // its moment
  int key_ = 0;
};

// The exit status of a game whose recording could not be written.
inline constexpr int kRecordingFailedStatus = 3;

// The exit status of a game played in the window: kRecordingFailedStatus when its recording
// could not be written, else 0.
inline int GameStatus(const ScriptRecorder* recorder) {
  return recorder && recorder->Failed() ? kRecordingFailedStatus : 0;
}

}  // namespace quillon::script
