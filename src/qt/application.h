// The game's application object: its identity on the desktop, and a display that cannot be
// opened reported in one plain line instead of Qt's abort.
#pragma once

#include <QApplication>
#include <memory>

namespace quillon::qt {

// Names the game to the desktop (application id, name, version, organisation), then opens the
// window system. When no display is named it prints one line saying so and returns null; when
// the one named cannot be opened it prints one line saying why and what to do on standard
// error and ends the program with status 1: no abort, no core dump. `argc` must outlive the
// application.
std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv);

}  // namespace quillon::qt
