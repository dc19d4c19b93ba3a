// The game's pictures, drawn as SVG and compiled into the program as resources.
#pragma once

#include <QIcon>
#include <QString>
#include <string_view>

class QSvgRenderer;

namespace quillon::window {

// The resource path of a picture named by a design (`splash` is ":/assets/splash.svg").
QString ArtworkPath(std::string_view name);

// The picture's renderer, made once and kept for the whole run; null when the program carries
// no valid picture of that name.
QSvgRenderer* Artwork(std::string_view name);

// A window icon drawn from a picture; an empty icon when there is none.
QIcon ArtworkIcon(std::string_view name);

}  // namespace quillon::window
