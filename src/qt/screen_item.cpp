#include "qt/screen_item.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

#include "qt/artwork.h"
#include "qt/control_style.h"
#include "qt/text_box.h"

namespace quillon::qt {

using engine::ControlDesign;
using engine::ControlKind;

namespace {

const QColor kButtonFace(26, 34, 46);
const QColor kButtonLight(72, 88, 110);
const QColor kButtonShadow(8, 10, 14);
constexpr double kButtonIcon = 16;

// A one-pixel line along the inside of a rectangle, crisp at the desktop's own size. It is
// drawn as four thin filled rectangles: the same pixels as a stroked outline, but a filled
// rectangle costs the painter far less than a stroked path once the view scales the desktop.
void StrokeInside(QPainter& painter, const QRectF& rect, const QColor& color) {
  if (rect.width() < 1 || rect.height() < 1) return;
  const double left = rect.left(), top = rect.top(), width = rect.width(), height = rect.height();
  painter.fillRect(QRectF(left, top, width, 1), color);
  painter.fillRect(QRectF(left, top + height - 1, width, 1), color);
  painter.fillRect(QRectF(left, top + 1, 1, height - 2), color);
  painter.fillRect(QRectF(left + width - 1, top + 1, 1, height - 2), color);
}

}  // namespace

// --- Controls ----------------------------------------------------------------------------

ControlItem::ControlItem(const ControlDesign& design, engine::Color screenColor,
                         QGraphicsItem* parent)
    : QGraphicsItem(parent), design_(design), screenColor_(screenColor) {
  setAcceptedMouseButtons(Qt::NoButton);
  text_ = design.caption;
  value_ = design.value;
  rect_ = ControlRect(design_, text_);
}

void ControlItem::Show(const std::string& text, double value) {
  if (text == text_ && value == value_) return;
  const QRectF rect = ControlRect(design_, text);
  if (rect != rect_) prepareGeometryChange();
  text_ = text;
  value_ = value;
  rect_ = rect;
  update();
}

QRectF ControlItem::boundingRect() const {
  // Frames draw their caption a little above the frame line.
  return rect_.adjusted(-1, -1, 1, 1);
}

void ControlItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  painter->setRenderHint(QPainter::SmoothPixmapTransform);
  switch (design_.kind) {
    case ControlKind::Label:
      PaintLabel(*painter);
      break;
    case ControlKind::PictureBox:
    case ControlKind::Image:
      PaintPicture(*painter);
      break;
    case ControlKind::CommandButton:
      PaintButton(*painter);
      break;
    case ControlKind::CheckBox:
      PaintCheckBox(*painter);
      break;
    case ControlKind::Frame:
      PaintFrame(*painter);
      break;
    case ControlKind::Shape:
      PaintShape(*painter);
      break;
    case ControlKind::Line:
      PaintLine(*painter);
      break;
    case ControlKind::ProgressBar:
      PaintProgressBar(*painter);
      break;
    case ControlKind::TextBox:
    case ControlKind::Timer:
      break;
  }
  painter->restore();
}

void ControlItem::PaintLabel(QPainter& painter) const {
  painter.setClipRect(rect_);
  painter.setFont(ControlFont(design_));
  painter.setPen(ToQColor(design_.foreColor));
  painter.drawText(rect_, LabelTextFlags(design_), QString::fromStdString(text_));
}

void ControlItem::PaintPicture(QPainter& painter) const {
  // An image without a picture is only a click area: nothing to draw.
  if (design_.picture.empty()) return;
  // A picture box is opaque: it covers what lies under it, as a route stub on a map.
  if (design_.kind == ControlKind::PictureBox) painter.fillRect(rect_, Qt::black);
  DrawArtwork(painter, design_.picture, rect_);
}

void ControlItem::PaintButton(QPainter& painter) const {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(rect_, kButtonFace);
  const QRectF r = rect_.adjusted(0, 0, -1, -1);
  painter.setPen(kButtonLight);
  painter.drawLine(r.topLeft(), r.topRight());
  painter.drawLine(r.topLeft(), r.bottomLeft());
  painter.setPen(kButtonShadow);
  painter.drawLine(r.bottomLeft(), r.bottomRight());
  painter.drawLine(r.topRight(), r.bottomRight());
  painter.setRenderHint(QPainter::Antialiasing);

  double textLeft = rect_.left() + 6;
  if (!design_.picture.empty()) {
    const QRectF icon(rect_.left() + 4, rect_.center().y() - kButtonIcon / 2, kButtonIcon,
                      kButtonIcon);
    DrawArtwork(painter, design_.picture, icon);
    textLeft = icon.right() + 6;
  }
  const QRectF textRect(textLeft, rect_.top(), rect_.right() - 3 - textLeft, rect_.height());
  painter.setFont(ControlFont(design_));
  painter.setPen(ToQColor(engine::colors::kButtonText));
  painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   QString::fromStdString(text_));
}

void ControlItem::PaintCheckBox(QPainter& painter) const {
  const QColor color = ToQColor(design_.foreColor);
  const QRectF box(rect_.left(), rect_.center().y() - 6.5, 13, 13);
  StrokeInside(painter, box, color);
  if (value_ != 0) {
    painter.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF tick[] = {box.topLeft() + QPointF(3, 6.5), box.topLeft() + QPointF(5.5, 9.5),
                            box.topLeft() + QPointF(10, 3.5)};
    painter.drawPolyline(tick, 3);
  }
  painter.setFont(ControlFont(design_));
  painter.setPen(color);
  painter.drawText(
      QRectF(box.right() + 4, rect_.top(), rect_.right() - box.right() - 4, rect_.height()),
      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, QString::fromStdString(text_));
}

void ControlItem::PaintFrame(QPainter& painter) const {
  const QFont font = ControlFont(design_);
  const QFontMetricsF metrics(font);
  const QString caption = QString::fromStdString(text_);
  // A group box: the thin blue frame, its caption standing in the top line.
  const double lineY = std::round(rect_.top() + metrics.height() / 2);
  const QRectF frame(rect_.left(), lineY, rect_.width(), rect_.bottom() - lineY);
  StrokeInside(painter, frame, ToQColor(engine::colors::kText));
  if (caption.isEmpty()) return;
  const QRectF captionRect(rect_.left() + 8, rect_.top(),
                           std::ceil(metrics.horizontalAdvance(caption)) + 4, metrics.height());
  painter.fillRect(captionRect, ToQColor(screenColor_));
  painter.setFont(font);
  painter.setPen(ToQColor(design_.foreColor));
  painter.drawText(captionRect, Qt::AlignCenter | Qt::TextSingleLine, caption);
}

void ControlItem::PaintShape(QPainter& painter) const {
  StrokeInside(painter, rect_, ToQColor(design_.foreColor));
}

void ControlItem::PaintLine(QPainter& painter) const {
  QPointF from(Px(design_.left), Px(design_.top));
  QPointF to(Px(design_.x2), Px(design_.y2));
  const int width = std::max(1, design_.lineWidth);
  // An odd width along a pixel row or column is centred on the pixels, so it stays crisp.
  if (width % 2 == 1) {
    if (from.y() == to.y()) {
      from.ry() += 0.5;
      to.ry() += 0.5;
    } else if (from.x() == to.x()) {
      from.rx() += 0.5;
      to.rx() += 0.5;
    }
  }
  const QColor color = ToQColor(design_.foreColor);
  if (from.x() == to.x() || from.y() == to.y()) {
    // A square-capped straight line covers a rectangle: filled, it is cheap at any scale.
    const double half = width / 2.0;
    painter.fillRect(QRectF(from, to).normalized().adjusted(-half, -half, half, half), color);
    return;
  }
  painter.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(from, to);
}

void ControlItem::PaintProgressBar(QPainter& painter) const {
  painter.fillRect(rect_, Qt::black);
  StrokeInside(painter, rect_, ToQColor(engine::colors::kText));
  const double span = design_.max - design_.min;
  const double share = span > 0 ? std::clamp((value_ - design_.min) / span, 0.0, 1.0) : 0.0;
  const QRectF inside = rect_.adjusted(2, 2, -2, -2);
  if (share > 0 && inside.width() > 0) {
    painter.fillRect(QRectF(inside.left(), inside.top(), inside.width() * share, inside.height()),
                     ToQColor(engine::colors::kText));
  }
}

// --- Screens -----------------------------------------------------------------------------

ScreenItem::ScreenItem(const engine::ScreenManager& manager, const engine::ScreenState& state,
                       const std::function<void(const session::PlayerEvent&)>& deliver,
                       QGraphicsItem* parent)
    : QGraphicsItem(parent), design_(*state.design), instance_(state.instance) {
  setFlag(ItemClipsChildrenToShape);
  setPos(Px(design_.Left()), Px(design_.Top()));
  rect_ = QRectF(0, 0, Px(design_.width), Px(design_.height));

  const size_t count = design_.controls.size();
  drawn_.assign(count, nullptr);
  boxes_.assign(count, nullptr);
  for (size_t i = 0; i < count; ++i) {
    const ControlDesign& control = design_.controls[i];
    const double z = double(count - i);  // earlier in design order lies on top
    if (control.kind == ControlKind::Timer) continue;
    if (control.kind == ControlKind::TextBox) {
      auto* proxy = new QGraphicsProxyWidget(this);
      proxy->setWidget(new TextBox(manager, design_.name, control, instance_, deliver));
      proxy->setMinimumSize(0, 0);
      proxy->setGeometry(ControlRect(control, control.caption));
      proxy->setZValue(z);
      boxes_[i] = proxy;
    } else {
      drawn_[i] = new ControlItem(control, design_.backColor, this);
      drawn_[i]->setZValue(z);
    }
  }
  Show(state);
}

void ScreenItem::Show(const engine::ScreenState& state) {
  setVisible(state.visible);
  for (size_t i = 0; i < state.controls.size(); ++i) {
    const engine::ControlState& control = state.controls[i];
    if (ControlItem* item = drawn_[i]) {
      item->setVisible(control.visible);
      item->Show(control.text, control.value);
    } else if (QGraphicsProxyWidget* proxy = boxes_[i]) {
      proxy->setVisible(control.visible);
      // A disabled screen ignores the keyboard too.
      proxy->setEnabled(state.enabled);
      static_cast<TextBox*>(proxy->widget())->ShowGameText();
    }
  }
}

QRectF ScreenItem::ControlRectOf(int index) const {
  const auto i = size_t(index);
  if (drawn_[i]) return drawn_[i]->Rect();
  if (boxes_[i]) return boxes_[i]->geometry();
  return {};
}

std::optional<int> ScreenItem::ClickableAt(QPointF point, const engine::ScreenState& state) const {
  for (size_t i = 0; i < state.controls.size(); ++i) {
    const ControlDesign& design = design_.controls[i];
    if (!state.controls[i].visible || !TakesClicks(design.kind)) continue;
    if (ControlRectOf(int(i)).contains(point)) return int(i);
  }
  return std::nullopt;
}

QString ScreenItem::ToolTipAt(QPointF point, const engine::ScreenState& state) const {
  std::optional<int> control = ClickableAt(point, state);
  if (!control) return {};
  return QString::fromStdString(design_.controls[size_t(*control)].tooltip);
}

TextBox* ScreenItem::TextBoxOf(std::string_view control) const {
  QGraphicsProxyWidget* proxy = ProxyOf(control);
  return proxy ? static_cast<TextBox*>(proxy->widget()) : nullptr;
}

QGraphicsProxyWidget* ScreenItem::ProxyOf(std::string_view control) const {
  const int index = design_.IndexOf(control);
  return index < 0 ? nullptr : boxes_[size_t(index)];
}

QRectF ScreenItem::boundingRect() const {
  return rect_;
}

void ScreenItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  painter->fillRect(rect_, ToQColor(design_.backColor));
}

void ScreenItem::mousePressEvent(QGraphicsSceneMouseEvent* event) {
  event->accept();
}

}  // namespace quillon::qt
