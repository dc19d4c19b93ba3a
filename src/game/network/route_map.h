// What the two connection maps share: the artwork of their nodes and the two kinds of line.
#pragma once

#include "engine/design.h"

namespace quillon::game {

inline constexpr int kComputerWidth = engine::Pixels(107);
inline constexpr int kComputerHeight = engine::Pixels(65);
inline constexpr int kNodeWidth = engine::Pixels(72);  // the proxy and the firewall
inline constexpr int kNodeHeight = engine::Pixels(46);

// A leg of the network path, in blue.
inline engine::ControlDesign Path(const char* name, int x1, int y1, int x2, int y2) {
  return engine::Line(name, x1, y1, x2, y2).Width(2).Colour(engine::colors::kText);
}

// A leg of a bypass route, in light blue, drawn only once its tool has run.
inline engine::ControlDesign Bypass(const char* name, int x1, int y1, int x2, int y2) {
  return engine::Line(name, x1, y1, x2, y2).Width(2).Colour(engine::colors::kTitle).Hidden();
}

}  // namespace quillon::game
