#include "qt/game_window.h"

#include <QCloseEvent>
#include <QGraphicsProxyWidget>
#include <QGraphicsRectItem>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QToolTip>
#include <algorithm>
#include <climits>

#include "qt/look.h"
#include "qt/screen_item.h"
#include "qt/text_box.h"

namespace quillon::window {

namespace {

constexpr int kWindowedWidth = 1024;
constexpr int kWindowedHeight = 768;

}  // namespace

GameWindow::GameWindow(engine::ScreenManager& manager, QWidget* parent)
    : QGraphicsView(parent), manager_(manager) {
  scene_.setSceneRect(0, 0, kDesktopWidthPx, kDesktopHeightPx);
  scene_.setItemIndexMethod(QGraphicsScene::NoIndex);  // a few dozen items that change often
  desktop_ =
      scene_.addRect(QRectF(0, 0, kDesktopWidthPx, kDesktopHeightPx), Qt::NoPen, QBrush(Qt::black));
  desktop_->setFlag(QGraphicsItem::ItemClipsChildrenToShape);
  desktop_->setAcceptedMouseButtons(Qt::NoButton);

  setScene(&scene_);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setBackgroundBrush(Qt::black);  // the bars around the desktop
  setAlignment(Qt::AlignCenter);
  setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                 QPainter::SmoothPixmapTransform);
  setFocusPolicy(Qt::StrongFocus);

  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { FireTimers(); });

  auto* fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
  fullScreen->setContext(Qt::ApplicationShortcut);
  connect(fullScreen, &QShortcut::activated, this, [this] { ToggleFullScreen(); });

  // The game's End closes the window, once the handler that ended it is over.
  manager_.SetEndListener([this] {
    timer_.stop();
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
  });

  resize(kWindowedWidth, kWindowedHeight);
}

GameWindow::~GameWindow() {
  manager_.SetEndListener(nullptr);
  timer_.stop();
  // The screens (and their line edits) go before the scene and the view.
  for (auto& [name, item] : screens_) delete item;
  screens_.clear();
}

// --- Keeping up with the game --------------------------------------------------------------

void GameWindow::Refresh() {
  if (manager_.Revision() != shownRevision_) UpdateScene();
  const std::optional<std::int64_t> due = manager_.NextTimerDue();
  if (!due) {
    timer_.stop();
    return;
  }
  const std::int64_t wait = std::clamp<std::int64_t>(*due - manager_.NowMs(), 0, INT_MAX);
  timer_.start(int(wait));
}

void GameWindow::RefreshSoon() {
  if (refreshQueued_) return;
  refreshQueued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        refreshQueued_ = false;
        Refresh();
      },
      Qt::QueuedConnection);
}

void GameWindow::FireTimers() {
  manager_.FireDueTimers();
  Refresh();
}

void GameWindow::UpdateScene() {
  shownRevision_ = manager_.Revision();
  ++sceneUpdates_;

  // A screen that was unloaded (or unloaded and loaded anew) starts from its design again.
  for (auto it = screens_.begin(); it != screens_.end();) {
    const engine::ScreenState* state = manager_.Peek(it->first);
    if (!state || state->instance != it->second->Instance()) {
      delete it->second;
      it = screens_.erase(it);
    } else {
      ++it;
    }
  }

  const std::vector<std::string> order = manager_.VisibleFrontToBack();
  for (size_t i = 0; i < order.size(); ++i) {
    const engine::ScreenState& state = *manager_.Peek(order[i]);
    auto it = screens_.find(order[i]);
    if (it == screens_.end()) {
      auto* item = new ScreenItem(
          manager_, state, [this] { RefreshSoon(); }, desktop_);
      it = screens_.emplace(order[i], item).first;
    }
    it->second->setZValue(double(order.size() - i));
  }
  for (auto& [name, item] : screens_) item->Show(*manager_.Peek(name));
  UpdateFocus();
}

void GameWindow::UpdateFocus() {
  QGraphicsProxyWidget* focus = nullptr;
  const std::string control = manager_.FocusedControl();
  auto it = screens_.find(manager_.ActiveScreen());
  if (!control.empty() && it != screens_.end()) focus = it->second->ProxyOf(control);
  if (focus && focus->isVisible() && focus->isEnabled()) {
    if (scene_.focusItem() != focus) focus->setFocus(Qt::OtherFocusReason);
  } else if (scene_.focusItem()) {
    scene_.setFocusItem(nullptr);
  }
}

// --- Clicks --------------------------------------------------------------------------------

std::optional<GameWindow::Hit> GameWindow::HitAt(QPointF desktop) const {
  for (const std::string& name : manager_.VisibleFrontToBack()) {
    auto it = screens_.find(name);
    if (it == screens_.end()) continue;
    const QPointF local = it->second->mapFromScene(desktop);
    if (!it->second->boundingRect().contains(local)) continue;
    const engine::ScreenState& state = *manager_.Peek(name);
    const std::optional<int> control = it->second->ClickableAt(local, state);
    return Hit{name, control ? state.design->controls[size_t(*control)].name : std::string()};
  }
  return std::nullopt;
}

void GameWindow::Click(QPointF desktop) {
  if (manager_.Ended()) return;
  const std::optional<Hit> hit = HitAt(desktop);
  if (!hit) return;
  if (hit->control.empty()) {
    manager_.ClickScreen(hit->screen);
  } else {
    manager_.Click(hit->screen, hit->control);
  }
  Refresh();
}

void GameWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Click(mapToScene(event->position().toPoint()));
  // The line edits get the press too, for their caret and selection.
  QGraphicsView::mousePressEvent(event);
  event->accept();  // the desktop is the whole window: a press never goes past it
  UpdateFocus();
}

void GameWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is a click again only on a command button; pictures,
  // labels and click areas take it as a double click, which the game does not handle.
  if (event->button() == Qt::LeftButton) {
    const QPointF desktop = mapToScene(event->position().toPoint());
    const std::optional<Hit> hit = HitAt(desktop);
    if (hit && !hit->control.empty()) {
      const engine::ControlDesign* control = manager_.Design(hit->screen)->Find(hit->control);
      if (control->kind == engine::ControlKind::CommandButton) Click(desktop);
    }
  }
  QGraphicsView::mouseDoubleClickEvent(event);
  UpdateFocus();
}

bool GameWindow::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QGraphicsView::viewportEvent(event);
  auto* help = static_cast<QHelpEvent*>(event);
  const QPointF desktop = mapToScene(help->pos());
  QString tip;
  for (const std::string& name : manager_.VisibleFrontToBack()) {
    auto it = screens_.find(name);
    if (it == screens_.end()) continue;
    const QPointF local = it->second->mapFromScene(desktop);
    if (!it->second->boundingRect().contains(local)) continue;
    const engine::ScreenState& state = *manager_.Peek(name);
    if (state.enabled) tip = it->second->ToolTipAt(local, state);
    break;
  }
  if (tip.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(help->globalPos(), tip, viewport());
  }
  return true;
}

// --- The window ----------------------------------------------------------------------------

TextBox* GameWindow::TextBoxOf(std::string_view screen, std::string_view control) const {
  auto it = screens_.find(screen);
  return it == screens_.end() ? nullptr : it->second->TextBoxOf(control);
}

void GameWindow::FitDesktop() {
  const QSize size = viewport()->size();
  const double scale = std::min(size.width() / kDesktopWidthPx, size.height() / kDesktopHeightPx);
  if (scale <= 0) return;
  setTransform(QTransform::fromScale(scale, scale));
  centerOn(kDesktopWidthPx / 2, kDesktopHeightPx / 2);
}

void GameWindow::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  FitDesktop();
}

void GameWindow::ShowFullScreen() {
  // Covers the whole display even where no window manager honours the full-screen request.
  if (QScreen* display = screen()) setGeometry(display->geometry());
  showFullScreen();
}

void GameWindow::ToggleFullScreen() {
  if (isFullScreen()) {
    showNormal();
    resize(kWindowedWidth, kWindowedHeight);
  } else {
    ShowFullScreen();
  }
}

void GameWindow::closeEvent(QCloseEvent* event) {
  // Closing the window ends the game as End does: nothing is kept, nothing runs any more.
  timer_.stop();
  event->accept();
}

}  // namespace quillon::window
