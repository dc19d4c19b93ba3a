// The browser's way into the game: a few C functions the page calls through the module, and the
// hooks the module calls on the page. The page draws and listens; every rule of the game stays
// here, behind the same game session the window uses. The page moves game time to its real clock
// before each event and when a timer falls due, as the window does.
#include <emscripten/emscripten.h>

#include <cmath>
#include <cstdint>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "engine/services.h"
#include "game/game.h"
#include "platform/folders.h"
#include "platform/wave.h"
#include "script/codec.h"
#include "script/recorder.h"
#include "script/replay.h"
#include "script/runner.h"
#include "session/game_session.h"
#include "web/scene_json.h"

namespace quillon::web {

namespace {

// The page writes the sounds it fetched here before the first game.
constexpr const char* kSoundFolder = "/data";
constexpr const char* kRecordingFile = "/recording.qs";

EM_JS(void, PagePlaySound, (const char* path), {
  if (Module.quillonPlaySound) Module.quillonPlaySound(UTF8ToString(path));
});
EM_JS(void, PageOpenDocument, (const char* target), {
  if (Module.quillonOpenDocument) Module.quillonOpenDocument(UTF8ToString(target));
});
EM_JS(void, PageHighlight, (const char* screen, const char* control), {
  if (Module.quillonHighlight) Module.quillonHighlight(UTF8ToString(screen), UTF8ToString(control));
});

// A sound is played only when the game's own check passes, as in the window; the page plays it.
class PageSoundPlayer : public engine::SoundPlayer {
 public:
  bool Play(const std::string& path) override {
    if (!platform::IsPlayableWave(platform::SoundFile(kSoundFolder, path))) return false;
    PagePlaySound(path.c_str());
    return true;
  }
};

class PageDocumentOpener : public engine::DocumentOpener {
 public:
  void Open(const std::string& target) override { PageOpenDocument(target.c_str()); }
};

// Today in the browser's time zone, as a recording's header gives it: "2026-12-07".
std::string Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return text;
}

// A game the player plays, recorded from its start when asked.
struct PlayedGame {
  PageSoundPlayer sound;
  PageDocumentOpener documents;
  engine::LocaleDateFormatter dates;
  session::GameSession session{game::GameScreens(), sound, documents, dates};
  std::ostringstream recorderMessages;
  std::unique_ptr<script::ScriptRecorder> recorder;
};

// A script played for the player to watch, as the window's replay plays it.
class WatchedReplay : public script::ReplayView {
 public:
  WatchedReplay(const std::string& text, double speed)
      : script_(text),
        runner_(game::GameScreens(), output_, output_, kSoundFolder),
        reader_(game::GameScreens(), script_),
        replay_(runner_, reader_, *this, speed) {
    runner_.Start();
  }
  session::GameSession& Session() { return runner_.Game(); }
  script::Replay& Pacing() { return replay_; }
  std::string Output() const { return output_.str(); }

  void Refresh() override {}  // the page redraws after every step
  void Highlight(std::string_view screen, std::string_view control) override {
    PageHighlight(std::string(screen).c_str(), std::string(control).c_str());
  }
  void Close() override {}

 private:
  std::istringstream script_;
  std::ostringstream output_;
  script::ScriptRunner runner_;
  script::ScriptReader reader_;
  script::Replay replay_;
};

// A moment the page gives, in whole ms: what is no number counts as 0, and nothing goes past
// the game clock's limit.
std::int64_t Moment(double ms) {
  if (!(ms > 0)) return 0;
  return ms >= double(engine::kVirtualTimeLimitMs) ? engine::kVirtualTimeLimitMs
                                                    : static_cast<std::int64_t>(ms);
}

std::unique_ptr<PlayedGame> played;
std::unique_ptr<WatchedReplay> watched;
// What a returned string points at until the next call that returns one.
std::string returned;

const char* Return(std::string text) {
  returned = std::move(text);
  return returned.c_str();
}

// The game the page shows: the replay while one plays, else the player's game.
session::GameSession* Shown() {
  if (watched) return &watched->Session();
  return played ? &played->session : nullptr;
}

// The player's own game, which takes the player's events; none while a replay plays.
session::GameSession* Playing() {
  return watched || !played ? nullptr : &played->session;
}

int Deliver(session::PlayerEvent event) {
  session::GameSession* game = Playing();
  return game && game->Deliver(std::move(event)) ? 1 : 0;
}

std::string ReadFile(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

}  // namespace quillon::web

using namespace quillon;
using namespace quillon::web;

extern "C" {

EMSCRIPTEN_KEEPALIVE void quillon_leave() {
  if (played && !watched) played->session.Leave(played->session.Now());
}

EMSCRIPTEN_KEEPALIVE void quillon_new_game(int record) {
  quillon_leave();
  watched.reset();
  played.reset();
  played = std::make_unique<PlayedGame>();
  if (record) {
    played->recorder = std::make_unique<script::ScriptRecorder>(
        kRecordingFile, played->session.Game(), played->recorderMessages, Today(),
        "the game's web page");
    played->session.SetListener(played->recorder.get());
  }
  played->session.Start(game::kFirstScreen);
}

EMSCRIPTEN_KEEPALIVE void quillon_advance_to(double moment) {
  if (session::GameSession* game = Playing()) game->AdvanceTo(Moment(moment));
}

EMSCRIPTEN_KEEPALIVE double quillon_next_timer_due() {
  session::GameSession* game = Playing();
  if (!game || game->Ended()) return -1;
  const std::optional<std::int64_t> due = game->NextTimerDue();
  return due ? double(*due) : -1;
}

EMSCRIPTEN_KEEPALIVE double quillon_now() {
  session::GameSession* game = Shown();
  return game ? double(game->Now()) : 0;
}

EMSCRIPTEN_KEEPALIVE int quillon_click(const char* screen, const char* control) {
  return Deliver(session::PlayerEvent::ClickOn(screen, control));
}

EMSCRIPTEN_KEEPALIVE int quillon_key(int code) {
  if (!engine::IsKeyCode(code)) return 0;
  return Deliver(session::PlayerEvent::KeyPress(code));
}

EMSCRIPTEN_KEEPALIVE int quillon_edit(const char* screen, const char* control, const char* text) {
  return Deliver(session::PlayerEvent::EditOf(screen, control, text));
}

EMSCRIPTEN_KEEPALIVE int quillon_move_focus(int forward) {
  session::GameSession* game = Playing();
  return game && game->MoveFocus(forward != 0) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* quillon_designs() {
  return Return(DesignsJson(game::GameScreens()));
}

EMSCRIPTEN_KEEPALIVE double quillon_revision() {
  session::GameSession* game = Shown();
  return game ? double(game->Game().Revision()) : 0;
}

EMSCRIPTEN_KEEPALIVE const char* quillon_scene() {
  session::GameSession* game = Shown();
  return Return(game ? SceneJson(game->Game()) : std::string("{}"));
}

EMSCRIPTEN_KEEPALIVE const char* quillon_recording() {
  if (!played || !played->recorder) return Return({});
  return Return(ReadFile(kRecordingFile));
}

EMSCRIPTEN_KEEPALIVE const char* quillon_replay_check(const char* text) {
  std::istringstream script(text);
  return Return(script::ReplayRefusal(script, kSoundFolder));
}

EMSCRIPTEN_KEEPALIVE void quillon_replay_start(const char* text, double speed) {
  quillon_leave();
  watched.reset();
  watched = std::make_unique<WatchedReplay>(text, speed > 0 && std::isfinite(speed) ? speed : 1);
}

EMSCRIPTEN_KEEPALIVE double quillon_replay_step(double realNow) {
  if (!watched || watched->Pacing().Over()) return -1;
  watched->Pacing().Step(Moment(realNow));
  const std::optional<std::int64_t> next = watched->Pacing().NextStep();
  return next ? double(*next) : -1;
}

EMSCRIPTEN_KEEPALIVE void quillon_replay_stop() {
  if (watched) watched->Pacing().Stop();
}

EMSCRIPTEN_KEEPALIVE const char* quillon_replay_output() {
  return Return(watched ? watched->Output() : std::string());
}

}  // extern "C"
