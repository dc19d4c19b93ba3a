// A developer's tool: plays a script in the real window, drawn off screen in virtual time, and
// saves pictures of it for the documentation.
//   quillon_screenshot SCRIPT
// The script is the game's script language (see the README) with one more command:
//   shot FILE   saves the 1024 x 768 window as a PNG picture
#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <fstream>
#include <iostream>
#include <string>

#include "game/game.h"
#include "script/runner.h"
#include "platform/folders.h"
#include "qt/game_window.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: quillon_screenshot SCRIPT\n";
    return 2;
  }
  std::ifstream script(argv[1]);
  if (!script) {
    std::cerr << "quillon_screenshot: cannot read " << argv[1] << '\n';
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  quillon::script::ScriptRunner runner(quillon::game::GameScreens(), std::cout, std::cerr,
                               quillon::platform::SoundFolder());
  quillon::qt::GameWindow window(runner.Game());
  window.resize(1024, 768);
  window.show();
  runner.Start();

  std::string line;
  for (int number = 1; std::getline(script, line); ++number) {
    window.Refresh();
    QCoreApplication::processEvents();
    if (line.rfind("shot ", 0) == 0) {
      const std::string file = line.substr(5);
      if (!window.grab().toImage().save(QString::fromStdString(file))) {
        std::cerr << "line " << number << ": cannot write " << file << '\n';
        return 2;
      }
      continue;
    }
    if (!runner.RunLine(line, number)) break;
  }
  return runner.Status();
}
