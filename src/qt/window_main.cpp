#include "qt/window_main.h"

#include <QApplication>
#include <QEvent>
#include <cstdio>
#include <cstdlib>

#include "app/game.h"
#include "engine/screen_manager.h"
#include "engine/services.h"
#include "qt/application.h"
#include "qt/artwork.h"
#include "qt/game_window.h"
#include "qt/qt_services.h"
#include "qt/warm_up.h"

namespace quillon {

namespace {

// The backdrop gives the window its caption and icon.
constexpr const char* kBackdrop = "back";

// Qt's platform plugin ends the program with exit() from inside the event loop when the window
// system drops the connection, window and all (a killed X client, a compositor gone). The game
// keeps nothing to save: for the player the window was closed, which ends with status 0.
bool eventLoopRunning = false;

void EndAsClosed() {
  if (!eventLoopRunning) return;
  std::fflush(nullptr);
  std::_Exit(0);
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
  const std::unique_ptr<QApplication> app = window::OpenApplication(argc, argv);

  engine::SteadyClock clock;
  window::QtSoundPlayer sound(engine::SoundFolder());
  window::QtDocumentOpener documents;
  engine::LocaleDateFormatter dates;
  const engine::ScreenRegistry& screens = GameScreens();
  engine::ScreenManager manager(screens, engine::Services{&sound, &documents, &dates, &clock});

  window::GameWindow window(manager);
  window::WarmUp warmUp(window, manager, screens);
  warmUp.AlsoPrepare([&sound] { sound.Prepare(); });
  if (const engine::ScreenDesign* backdrop = screens.Find(kBackdrop)) {
    window.setWindowTitle(QString::fromStdString(backdrop->caption));
    window.setWindowIcon(window::ArtworkIcon(backdrop->icon));
  }
  manager.Start(kFirstScreen);
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
  return 0;
}

}  // namespace quillon
