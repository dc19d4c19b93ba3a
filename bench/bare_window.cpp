// The reference program of the start-up and idle benchmarks: the bare window of bare_view.h,
// full screen as the game shows its desktop. With QUILLON_QUIT_AFTER_FIRST_FRAME=1 it quits as
// soon as its first frame has been painted, as the game does.
#include <QApplication>
#include <QScreen>

#include "bare_view.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  bench::BareView view;
  bench::QuitAfterFirstFrame quitAfterFirstFrame;
  if (qEnvironmentVariable("QUILLON_QUIT_AFTER_FIRST_FRAME") == u"1") {
    view.viewport()->installEventFilter(&quitAfterFirstFrame);
  }
  if (QScreen* display = view.screen()) view.setGeometry(display->geometry());
  view.showFullScreen();
  return app.exec();
}
