// The game's pictures, drawn as SVG and compiled into the program as resources.
#pragma once

#include <QIcon>
#include <QString>
#include <string_view>

class QPainter;
class QRectF;
class QSvgRenderer;

namespace quillon::qt {

// The resource path of a picture named by a design (`splash` is ":/assets/splash.svg").
QString ArtworkPath(std::string_view name);

// The picture's renderer, made once and kept for the whole run; null when the program carries
// no valid picture of that name.
QSvgRenderer* Artwork(std::string_view name);

// Draws a picture into a rectangle of the painter. The first time a picture is drawn at a size
// and place on the device, it is rasterised; after that, drawing it again at that size, on
// this screen or any other, costs one copy of those pixels.
void DrawArtwork(QPainter& painter, std::string_view name, const QRectF& rect);

// A window icon drawn from a picture; an empty icon when there is none.
QIcon ArtworkIcon(std::string_view name);

}  // namespace quillon::qt
