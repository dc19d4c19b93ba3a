#include "qt/warm_up.h"

#include <QEvent>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <limits>

#include "qt/game_window.h"
#include "qt/screen_item.h"

namespace quillon::qt {

namespace {

// A screen as its design shows it, for drawing only: its instance is no instance of the game,
// so its text boxes never reach the game.
engine::ScreenState DesignState(const engine::ScreenDesign& design) {
  engine::ScreenState state;
  state.design = &design;
  state.instance = std::numeric_limits<std::uint64_t>::max();
  state.visible = true;
  state.enabled = design.enabled;
  for (const engine::ControlDesign& control : design.controls) {
    engine::ControlState c;
    c.design = &control;
    c.visible = control.visible;
    c.enabled = control.enabled;
    c.text = control.caption;
    c.value = control.value;
    state.controls.push_back(c);
  }
  return state;
}

}  // namespace

WarmUp::WarmUp(GameWindow& window, const engine::ScreenManager& manager,
               const engine::ScreenRegistry& screens, int delayMs)
    : window_(window),
      manager_(manager),
      screens_(screens),
      names_(screens.Names()),
      delayMs_(delayMs) {
  step_.setSingleShot(true);
  connect(&step_, &QTimer::timeout, this, [this] { DrawNext(); });
  window_.viewport()->installEventFilter(this);
}

bool WarmUp::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    painted_ = false;  // the pictures are needed at the new scale, once that frame is drawn
    done_ = false;
    step_.stop();
  } else if (event->type() == QEvent::Paint && !painted_) {
    painted_ = true;
    next_ = 0;
    step_.start(delayMs_);
  }
  return false;
}

void WarmUp::DrawNext() {
  if (task_) {
    std::function<void()> task = std::move(task_);
    task_ = nullptr;
    task();
  }
  if (next_ >= names_.size()) {
    done_ = true;
    return;
  }
  const std::string& name = names_[next_++];
  const engine::ScreenDesign* design = screens_.Find(name);
  // A screen on show was drawn with the frame that started the warm-up.
  const engine::ScreenState* shown = manager_.Peek(name);
  if (design && !(shown && shown->visible)) {
    const engine::ScreenState state = DesignState(*design);
    QGraphicsScene scene;
    auto* item = new ScreenItem(
        manager_, state, [](const session::PlayerEvent&) {}, nullptr);
    scene.addItem(item);
    // Drawn exactly where the window would draw it, onto a picture of just that size.
    const QTransform view = window_.viewportTransform();
    const QRectF target = view.mapRect(item->sceneBoundingRect());
    const QPointF origin(std::floor(target.left()), std::floor(target.top()));
    const QSize size(int(std::ceil(target.right() - origin.x())),
                     int(std::ceil(target.bottom() - origin.y())));
    if (!size.isEmpty()) {
      QImage image(size, QImage::Format_ARGB32_Premultiplied);
      QPainter painter(&image);
      painter.setRenderHints(window_.renderHints());
      painter.translate(-origin);
      scene.render(&painter, target, item->sceneBoundingRect(), Qt::IgnoreAspectRatio);
    }
  }
  step_.start(0);
}

}  // namespace quillon::qt
