// Every screen of the game, as registered: its pictures are in the program and every text fits
// where the screen puts it, in the window's font.
#include "qt/artwork.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QSvgRenderer>
#include <set>
#include <string>
#include <string_view>

#include "game/game.h"
#include "qt/control_style.h"

namespace quillon::testing {
namespace {

using engine::ControlDesign;
using engine::ControlKind;

template <typename Visit>
void ForEachControl(Visit visit) {
  const engine::ScreenRegistry& screens = game::GameScreens();
  for (const std::string& name : screens.Names()) {
    const engine::ScreenDesign& screen = *screens.Find(name);
    for (const ControlDesign& control : screen.controls) visit(screen, control);
  }
}

std::string Join(const std::set<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) joined += " " + name;
  return joined;
}

TEST(ArtworkTest, EveryPictureAndIconOfEveryScreenIsInTheProgramAndRenders) {
  std::set<std::string> named;
  const engine::ScreenRegistry& screens = game::GameScreens();
  for (const std::string& name : screens.Names()) {
    const engine::ScreenDesign& screen = *screens.Find(name);
    if (!screen.icon.empty()) named.insert(screen.icon);
    for (const ControlDesign& control : screen.controls) {
      if (!control.picture.empty()) named.insert(control.picture);
    }
  }
  ASSERT_FALSE(named.empty());
  std::set<std::string> missing, broken;
  for (const std::string& picture : named) {
    const QString path = qt::ArtworkPath(picture);
    if (!QFile::exists(path)) {
      missing.insert(picture);
      continue;
    }
    QSvgRenderer renderer(path);
    if (!renderer.isValid() || renderer.defaultSize().isEmpty()) broken.insert(picture);
    if (!qt::Artwork(picture)) broken.insert(picture);
  }
  EXPECT_TRUE(missing.empty()) << "pictures missing:" << Join(missing);
  EXPECT_TRUE(broken.empty()) << "pictures that do not render:" << Join(broken);
}

TEST(LayoutTest, TheWindowsFontIsInstalledWithCzechLetters) {
  const QFont font = qt::ControlFont(engine::Label("Label1", 0, 0, "x"));
  EXPECT_EQ(QFontInfo(font).family(), qt::kFontFamily);
  EXPECT_EQ(QFontInfo(font).pixelSize(), 11);  // 8.25 pt at 96 dpi
  const QFontMetricsF metrics(font);
  for (const char32_t letter : std::u32string_view(U"áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ")) {
    EXPECT_TRUE(metrics.inFontUcs4(letter)) << "U+" << std::hex << unsigned(letter);
  }
}

TEST(LayoutTest, EveryTextOfEveryScreenFitsItsBox) {
  std::set<std::string> overflowing;
  ForEachControl([&](const engine::ScreenDesign& screen, const ControlDesign& control) {
    const QString text = QString::fromStdString(control.caption);
    if (text.isEmpty()) return;
    const QFontMetricsF metrics(qt::ControlFont(control));
    const std::string where = screen.name + "." + control.name;
    if (control.kind == ControlKind::Label) {
      const QRectF box = qt::LabelRect(control, control.caption);
      if (control.width > 0 && !control.autoSize) {
        const QRectF needed = metrics.boundingRect(QRectF(0, 0, box.width(), 1e6),
                                                   qt::LabelTextFlags(control), text);
        if (needed.height() > box.height() + 0.5 || needed.width() > box.width() + 0.5) {
          overflowing.insert(where);
        }
      }
      // Every label lies within its screen.
      if (box.right() > qt::Px(screen.width) + 0.5 ||
          box.bottom() > qt::Px(screen.height) + 0.5) {
        overflowing.insert(where + " (past its screen)");
      }
    } else if (control.kind == ControlKind::CommandButton) {
      // The caption beside the 16-pixel icon.
      if (metrics.horizontalAdvance(text) > qt::Px(control.width) - 32)
        overflowing.insert(where);
    } else if (control.kind == ControlKind::Frame) {
      if (metrics.horizontalAdvance(text) > qt::Px(control.width) - 20)
        overflowing.insert(where);
    }
  });
  EXPECT_TRUE(overflowing.empty()) << "texts that do not fit:" << Join(overflowing);
}

}  // namespace
}  // namespace quillon::testing
