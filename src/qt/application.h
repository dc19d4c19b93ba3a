// The game's application object: its identity on the desktop, and a display that cannot be
// opened reported in one plain line instead of Qt's abort.
#pragma once

#include <QApplication>
#include <QString>
#include <memory>
#include <optional>

namespace quillon::qt {

// Names the game to the desktop (application id, name, version, organisation), then opens the
// window system. When no display is named it prints one line saying so and returns null; when
// the one named cannot be opened it prints one line saying why and what to do on standard
// error and ends the program with status 1: no abort, no core dump. `argc` must outlive the
// application.
// A scale factor the player set for Qt that is no usable scale is set aside before the window
// system opens, with one line on standard error, and the window opens unscaled: Qt would take
// it as it is, and a window scaled by a negative, zero or absurd factor has no size it can have.
std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv);

// Why the value of QT_SCALE_FACTOR cannot scale the window, in one line for the player; nothing
// for a number from 0.1 to 10.
std::optional<QString> ScaleFactorRefusal(const QString& value);

}  // namespace quillon::qt
