// How the screens look in the window: the desktop's units, the font, the colours and the
// rectangle each control covers. The window draws in pixels of the 1024 x 768 desktop
// (15 twips each) and scales that picture to fit the window.
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <string>

#include "engine/design.h"

namespace quillon::qt {

inline constexpr double kDesktopWidthPx = double(engine::kDesktopWidth) / engine::kTwipsPerPixel;
inline constexpr double kDesktopHeightPx = double(engine::kDesktopHeight) / engine::kTwipsPerPixel;

// The closest free face to the look's 8.25 pt sans serif: it carries Czech diacritics (Debian
// package fonts-liberation2). The look's face is narrower, so the texts are set at 88 % width,
// which keeps every text inside the box laid out for it.
inline constexpr const char* kFontFamily = "Liberation Sans";
inline constexpr int kFontStretch = 88;

// Twips to desktop pixels, rounded to whole pixels as the display does.
double Px(int twips);

QColor ToQColor(engine::Color color);

// A control's font: its size in points at 96 dpi (8.25 pt = 11 px), bold where designed.
QFont ControlFont(const engine::ControlDesign& design);

// Whether the player can click a control of this kind; lines, shapes, frames and timers only
// decorate, and a click passes through them to what lies beneath.
bool TakesClicks(engine::ControlKind kind);

// Where a label with this text lies on its screen, in desktop pixels: its design box, or
// measured from the text where it grows with it.
QRectF LabelRect(const engine::ControlDesign& design, const std::string& text);

// The rectangle a control covers on its screen, in desktop pixels.
QRectF ControlRect(const engine::ControlDesign& design, const std::string& text);

// The flags a label is drawn and measured with.
int LabelTextFlags(const engine::ControlDesign& design);

}  // namespace quillon::qt
