#include "qt/window_main.h"

#include <QApplication>

#include "app/game.h"
#include "engine/screen_manager.h"
#include "engine/services.h"
#include "qt/application.h"
#include "qt/artwork.h"
#include "qt/game_window.h"
#include "qt/qt_services.h"

namespace quillon {

namespace {

// The backdrop gives the window its caption and icon.
constexpr const char* kBackdrop = "back";

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
  if (const engine::ScreenDesign* backdrop = screens.Find(kBackdrop)) {
    window.setWindowTitle(QString::fromStdString(backdrop->caption));
    window.setWindowIcon(window::ArtworkIcon(backdrop->icon));
  }
  manager.Start(kFirstScreen);
  window.Refresh();
  if (options.windowed) {
    window.show();
  } else {
    window.ShowFullScreen();
  }
  window.setFocus();
  app->exec();
  return 0;
}

}  // namespace quillon
