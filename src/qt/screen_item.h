// One screen on the desktop: a borderless black (or its own colour) rectangle carrying its
// controls as child items. Earlier controls in design order lie on top of later ones.
#pragma once

#include <QGraphicsItem>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "session/player_event.h"
#include "engine/screen_manager.h"

class QGraphicsProxyWidget;

namespace quillon::qt {

class TextBox;

// A drawn control: everything but text boxes (real line edits) and timers (not drawn).
class ControlItem : public QGraphicsItem {
 public:
  ControlItem(const engine::ControlDesign& design, engine::Color screenColor,
              QGraphicsItem* parent);

  // Takes the control's current caption and value; redraws only when they changed.
  void Show(const std::string& text, double value);
  QRectF Rect() const { return rect_; }

  QRectF boundingRect() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 private:
  void PaintLabel(QPainter& painter) const;
  void PaintPicture(QPainter& painter) const;
  void PaintButton(QPainter& painter) const;
  void PaintCheckBox(QPainter& painter) const;
  void PaintFrame(QPainter& painter) const;
  void PaintShape(QPainter& painter) const;
  void PaintLine(QPainter& painter) const;
  void PaintProgressBar(QPainter& painter) const;

  const engine::ControlDesign& design_;
  engine::Color screenColor_;
  std::string text_;
  double value_ = 0;
  QRectF rect_;
};

class ScreenItem : public QGraphicsItem {
 public:
  // `deliver` hands the keys and edits of the screen's text boxes to the game.
  ScreenItem(const engine::ScreenManager& manager, const engine::ScreenState& state,
             const std::function<void(const session::PlayerEvent&)>& deliver, QGraphicsItem* parent);

  std::uint64_t Instance() const { return instance_; }
  // Takes the screen's current state: visibility, enabled, every control's values.
  void Show(const engine::ScreenState& state);

  // The control the player clicks at a point of the screen (in screen coordinates): the
  // earliest visible control in design order that takes clicks and covers the point.
  std::optional<int> ClickableAt(QPointF point, const engine::ScreenState& state) const;
  // The tooltip shown at a point of the screen, if any.
  QString ToolTipAt(QPointF point, const engine::ScreenState& state) const;
  // Where a control lies on the screen, in screen coordinates.
  QRectF ControlRectOf(int index) const;

  TextBox* TextBoxOf(std::string_view control) const;
  QGraphicsProxyWidget* ProxyOf(std::string_view control) const;

  QRectF boundingRect() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 protected:
  // A click on a screen stops there: it never reaches a screen beneath.
  void mousePressEvent(QGraphicsSceneMouseEvent* event) override;

 private:
  const engine::ScreenDesign& design_;
  std::uint64_t instance_;
  QRectF rect_;
  // One entry per control in design order; timers have none.
  std::vector<ControlItem*> drawn_;
  std::vector<QGraphicsProxyWidget*> boxes_;
};

}  // namespace quillon::qt
