#include "qt/run_window.h"

#include <QApplication>
#include <QDate>
#include <QEvent>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "game/game.h"
#include "script/recorder.h"
#include "engine/screen_manager.h"
#include "engine/services.h"
#include "platform/folders.h"
#include "qt/application.h"
#include "qt/game_window.h"
#include "qt/qt_services.h"
#include "qt/warm_up.h"

namespace quillon::qt {

namespace {

// Qt's platform plugin ends the program with exit() from inside the event loop when the window
// system drops the connection, window and all (a killed X client, a compositor gone). The game
// keeps nothing to save: for the player the window was closed, which ends with status 0 (or 3
// when the game's recording could not be written).
bool eventLoopRunning = false;
const script::ScriptRecorder* recording = nullptr;

void EndAsClosed() {
  if (!eventLoopRunning) return;
  std::fflush(nullptr);
  std::_Exit(script::GameStatus(recording));
}

// For timing the start-up (docs/performance.md): with QUILLON_QUIT_AFTER_FIRST_FRAME=1 in the
// environment the game quits as soon as the desktop's first frame has been painted.
class QuitAfterFirstFrame : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      // The event loop stops as soon as this paint, and the frame's flush to the window system
      // that follows it in the same event, are over: nothing after the first frame runs.
      QCoreApplication::exit(0);
    }
    return false;
  }
};

}  // namespace

int RunWindow(int argc, char** argv, const WindowOptions& options) {
  const bool recorded = !options.recordFile.empty();
  const std::filesystem::path soundFolder = platform::SoundFolder();
  // A file the game must not record into is refused before any window opens.
  std::optional<script::RecordingFile> recordingFile;
  if (recorded) {
    recordingFile.emplace(options.recordFile, soundFolder);
    if (const std::optional<std::string>& refusal = recordingFile->Refusal()) {
      std::cerr << "quillon: " << script::CannotRecord(options.recordFile, *refusal) << '\n';
      return 2;
    }
  }
  const std::unique_ptr<QApplication> app = OpenApplication(argc, argv);
  if (!app) return 1;

  QtSoundPlayer sound(soundFolder, recorded);
  QtDocumentOpener documents;
  engine::LocaleDateFormatter dates;
  const engine::ScreenRegistry& screens = game::GameScreens();
  session::GameSession session(screens, sound, documents, dates);

  std::unique_ptr<script::ScriptRecorder> recorder;
  if (recorded) {
    recorder = std::make_unique<script::ScriptRecorder>(
        std::move(*recordingFile), session.Game(), std::cerr,
        QDate::currentDate().toString(Qt::ISODate).toStdString());
    recording = recorder.get();
    session.SetListener(recorder.get());
  }
  // Game time, moved on by the window to the real clock at every event and every tick.
  const engine::SteadyClock realClock;
  GameWindow window(session, &realClock);
  WarmUp warmUp(window, session.Game(), screens);
  warmUp.AlsoPrepare([&sound] { sound.Prepare(); });
  session.Start(game::kFirstScreen);
  window.Refresh();
  QuitAfterFirstFrame quitAfterFirstFrame;
  if (qEnvironmentVariable("QUILLON_QUIT_AFTER_FIRST_FRAME") == u"1") {
    window.viewport()->installEventFilter(&quitAfterFirstFrame);
  }
  if (options.windowed) {
    window.ShowWindowed();
  } else {
    window.ShowFullScreen();
  }
  app->setQuitOnLastWindowClosed(true);  // closing the window, in any way, ends the game
  std::atexit(EndAsClosed);
  eventLoopRunning = true;
  app->exec();
  eventLoopRunning = false;
  return script::GameStatus(recording);
}

}  // namespace quillon::qt
