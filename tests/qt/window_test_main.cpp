// The window tests need one application object for the whole run, drawing off screen on a
// display of 1280 x 1024, a size a player's display may have, bigger than the game's window;
// beside it a 320 x 240 one, smaller than the smallest window the player may make.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr const char* kDisplay = R"({
  "synchronousWindowSystemEvents": false,
  "windowFrameMargins": true,
  "screens": [{"name": "Display", "x": 0, "y": 0, "width": 1280, "height": 1024,
               "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
              {"name": "Small", "x": 1280, "y": 0, "width": 320, "height": 240,
               "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]
})";

// The off-screen platform, its display described in a file of `folder`.
QByteArray OffscreenPlatform(const QTemporaryDir& folder) {
  QFile file(folder.filePath(QStringLiteral("display.json")));
  if (!file.open(QIODevice::WriteOnly) || file.write(kDisplay) < 0) return "offscreen";
  return "offscreen:configfile=" + QFile::encodeName(file.fileName());
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir folder;
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty() || platform == "offscreen") {
    qputenv("QT_QPA_PLATFORM", OffscreenPlatform(folder));
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
