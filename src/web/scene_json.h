// What the page draws, as JSON: every screen's design, read once, and what shows now. The page
// draws from these exactly what the window draws from the designs and the screen states.
#pragma once

#include <string>
#include <string_view>

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::web {

// Every screen's design: {"screens": {"<name>": {caption, left, top (where it stands, in
// twips), width, height, backColor, icon, controls: [in design order]}}}.
std::string DesignsJson(const engine::ScreenRegistry& screens);

// What shows now: {revision, ended, active, focus, screens: [visible, front to back, each with
// its controls' visible, text and value in design order]}.
std::string SceneJson(const engine::ScreenManager& game);

// `text` as a JSON string, quotes included. Bytes that are not UTF-8 become U+FFFD, so the page
// always gets JSON it can read.
std::string JsonString(std::string_view text);

}  // namespace quillon::web
