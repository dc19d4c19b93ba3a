// A game in its real window, drawn off screen, on a real clock that the test moves.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QPoint>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "game/game.h"
#include "engine/screen_manager.h"
#include "game/game_test.h"
#include "qt/game_window.h"
#include "session/game_session.h"

namespace quillon::testing {

struct WindowHarness {
  // The sounds go to `player` when one is given, else to a fake that notes them.
  explicit WindowHarness(const engine::ScreenRegistry& screens,
                         std::string_view firstScreen = game::kFirstScreen,
                         engine::SoundPlayer* player = nullptr)
      : session(screens, player ? *player : sound, documents, dates),
        manager(session.SceneForTests()),
        window(session, &real) {
    window.resize(1024, 768);
    window.show();
    session.Start(firstScreen);
    window.Refresh();
    Settle();
  }

  // Runs what the window queued for after the current event.
  static void Settle() { QCoreApplication::processEvents(); }

  void Wait(std::int64_t ms) {
    session.Advance(ms);
    real.Set(session.Now());
    window.Refresh();
    Settle();
  }

  QImage Grab() { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); }

  void Resize(int width, int height) {
    window.resize(width, height);
    Settle();
  }

  // Where a point of the 1024 x 768 desktop, in its pixels, lies in the window: the desktop is
  // scaled to fit the window, aspect kept, and centred.
  QPoint DesktopPoint(double x, double y) const {
    const double width = window.viewport()->width();
    const double height = window.viewport()->height();
    const double scale = std::min(width / 1024.0, height / 768.0);
    return QPoint(int(std::lround((width - 1024.0 * scale) / 2 + x * scale)),
                  int(std::lround((height - 768.0 * scale) / 2 + y * scale)));
  }
  QPoint WindowPoint(double twipsX, double twipsY) const {
    return DesktopPoint(twipsX / 15.0, twipsY / 15.0);
  }

  // The middle of a control of a screen placed by hand, from the design's numbers; a test
  // finds a centred screen's controls at points it works out itself.
  QPoint ControlCentre(std::string_view screen, std::string_view control) const {
    const engine::ScreenDesign& design = *manager.Design(screen);
    EXPECT_EQ(design.placement, engine::Placement::Manual) << screen << " is centred";
    const engine::ControlDesign& c = *design.Find(control);
    return WindowPoint(design.left + c.left + c.width / 2.0, design.top + c.top + c.height / 2.0);
  }

  void ClickAt(QPoint point) {
    QTest::mouseClick(window.viewport(), Qt::LeftButton, Qt::NoModifier, point);
    Settle();
  }

  bool Showing(std::string_view screen) const {
    const engine::ScreenState* state = manager.Peek(screen);
    return state && state->visible;
  }

  FakeSound sound;
  FakeDocuments documents;
  CzechDates dates;
  session::GameSession session;
  engine::VirtualClock real;  // the window's real time, which the test moves
  engine::ScreenManager& manager;  // for setting a scene up
  qt::GameWindow window;
};

// How far apart two colours are, channel by channel.
inline int ColourDistance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                   std::abs(qBlue(a) - qBlue(b))});
}

// How many pixels of a rectangle of the picture lie within `tolerance` of a colour.
inline int CountNear(const QImage& image, const QRect& rect, QRgb colour, int tolerance) {
  int count = 0;
  const QRect inside = rect.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if (ColourDistance(image.pixel(x, y), colour) <= tolerance) ++count;
    }
  }
  return count;
}

}  // namespace quillon::testing
