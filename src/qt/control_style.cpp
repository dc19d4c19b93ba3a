#include "qt/control_style.h"

#include <QFontMetricsF>
#include <QString>
#include <algorithm>
#include <cmath>

namespace quillon::qt {

using engine::ControlDesign;
using engine::ControlKind;

double Px(int twips) {
  return std::round(double(twips) / engine::kTwipsPerPixel);
}

QColor ToQColor(engine::Color color) {
  return QColor(color.r, color.g, color.b);
}

QFont ControlFont(const ControlDesign& design) {
  QFont font(kFontFamily);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(1, int(std::lround(design.fontPoints * 96.0 / 72.0))));
  font.setBold(design.bold);
  font.setStretch(kFontStretch);
  return font;
}

bool TakesClicks(ControlKind kind) {
  switch (kind) {
    case ControlKind::Line:
    case ControlKind::Shape:
    case ControlKind::Frame:
    case ControlKind::Timer:
      return false;
    default:
      return true;
  }
}

int LabelTextFlags(const ControlDesign& design) {
  int flags = Qt::AlignTop;
  switch (design.alignment) {
    case engine::Alignment::Left:
      flags |= Qt::AlignLeft;
      break;
    case engine::Alignment::Centre:
      flags |= Qt::AlignHCenter;
      break;
    case engine::Alignment::Right:
      flags |= Qt::AlignRight;
      break;
  }
  if (design.width > 0 && design.wordWrap) flags |= Qt::TextWordWrap;
  return flags;
}

QRectF LabelRect(const ControlDesign& design, const std::string& text) {
  const QRectF box(Px(design.left), Px(design.top), Px(design.width), Px(design.height));
  if (!design.autoSize && design.width > 0) return box;

  const QFontMetricsF metrics(ControlFont(design));
  const QString caption = QString::fromStdString(text);
  if (design.width > 0 && design.wordWrap) {
    // Grows downwards only: the text wraps in the designed width.
    QRectF wrapped =
        metrics.boundingRect(QRectF(0, 0, box.width(), 1e6), LabelTextFlags(design), caption);
    return QRectF(box.left(), box.top(), box.width(),
                  std::max(std::ceil(wrapped.height()), metrics.height()));
  }
  const QSizeF size = metrics.size(0, caption);
  return QRectF(box.left(), box.top(), std::ceil(size.width()),
                std::ceil(std::max(size.height(), metrics.height())));
}

QRectF ControlRect(const ControlDesign& design, const std::string& text) {
  switch (design.kind) {
    case ControlKind::Label:
      return LabelRect(design, text);
    case ControlKind::Line: {
      const QPointF from(Px(design.left), Px(design.top));
      const QPointF to(Px(design.x2), Px(design.y2));
      const double pen = std::max(1, design.lineWidth);
      return QRectF(from, to).normalized().adjusted(-pen, -pen, pen, pen);
    }
    case ControlKind::Timer:
      return {};
    default:
      return QRectF(Px(design.left), Px(design.top), Px(design.width), Px(design.height));
  }
}

}  // namespace quillon::qt
