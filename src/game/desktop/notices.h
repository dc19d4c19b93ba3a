// The notice screens: small screens with a title, a text and a close picture that unloads them.
#pragma once

#include <string>

#include "engine/design.h"

namespace quillon::game {

struct Notice {
  std::string name;
  std::string title;
  std::string text;
  std::string caption;
  int width = 0, height = 0;
  // Centred unless a manual position is given.
  int left = -1, top = -1;
};

// The click handler of a notice's close picture: it unloads the notice, nothing else.
engine::Handler UnloadOnClick(std::string screen);

// A notice's design: title `Label4`, text `Label1`, the frame shapes and the close picture
// `Picture1`, whose click unloads the notice.
engine::ScreenDesign NoticeScreen(const Notice& notice);

// The twelve notices of the desktop, the tools and the targets.
void RegisterNoticeScreens(engine::ScreenRegistry& registry);

}  // namespace quillon::game
