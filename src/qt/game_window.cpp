#include "qt/game_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsRectItem>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QToolTip>
#include <QWindow>
#include <algorithm>
#include <climits>

#if __has_include(<xcb/xproto.h>)
#include <xcb/xproto.h>
#define QUILLON_HAS_XCB 1
#endif

#include "qt/artwork.h"
#include "qt/control_style.h"
#include "qt/screen_item.h"
#include "qt/text_box.h"

namespace quillon::qt {

namespace {

constexpr const char* kBackdrop = "back";
constexpr QSize kWindowedSize(1024, 768);
constexpr QSize kSmallestWindow(640, 480);
// How long a replay's click stays marked, in real time.
constexpr int kHighlightMs = 300;

// What an event of the X11 window system tells about a window.
enum class X11News { Nothing, Destroyed, PropertyChanged };

X11News X11NewsOf([[maybe_unused]] const void* message, [[maybe_unused]] WId window) {
#ifdef QUILLON_HAS_XCB
  switch (static_cast<const xcb_generic_event_t*>(message)->response_type & ~0x80) {
    case XCB_DESTROY_NOTIFY:
      if (WId(static_cast<const xcb_destroy_notify_event_t*>(message)->window) == window) {
        return X11News::Destroyed;
      }
      break;
    case XCB_PROPERTY_NOTIFY:
      if (WId(static_cast<const xcb_property_notify_event_t*>(message)->window) == window) {
        return X11News::PropertyChanged;
      }
      break;
    default:
      break;
  }
#endif
  return X11News::Nothing;
}

}  // namespace

GameWindow::GameWindow(session::GameSession& session, const engine::Clock* realClock,
                       QWidget* parent)
    : QGraphicsView(parent), session_(session), manager_(session.Game()), realClock_(realClock) {
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
  connect(&timer_, &QTimer::timeout, this, [this] {
    CatchUp();
    Refresh();
  });

  auto* fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
  fullScreen->setContext(Qt::ApplicationShortcut);
  connect(fullScreen, &QShortcut::activated, this, [this] { ToggleFullScreen(); });

  // The game's End closes the window, once the handler that ended it is over. In a replay the
  // replay closes it, once it has told what follows the end.
  if (realClock_) {
    session_.SetEndListener([this] {
      timer_.stop();
      QMetaObject::invokeMethod(
          this, [this] { close(); }, Qt::QueuedConnection);
    });
  }

  // The backdrop gives the window its caption and icon.
  if (const engine::ScreenDesign* backdrop = manager_.Design(kBackdrop)) {
    setWindowTitle(QString::fromStdString(backdrop->caption));
    setWindowIcon(ArtworkIcon(backdrop->icon));
  }

  QCoreApplication::instance()->installNativeEventFilter(this);
  resize(kWindowedSize);
}

GameWindow::~GameWindow() {
  QCoreApplication::instance()->removeNativeEventFilter(this);
  if (realClock_) session_.SetEndListener(nullptr);
  timer_.stop();
  // The screens (and their line edits) go before the scene and the view.
  for (auto& [name, item] : screens_) delete item;
  screens_.clear();
}

// --- Keeping up with the game --------------------------------------------------------------

void GameWindow::Refresh() {
  if (manager_.Revision() != shownRevision_) UpdateScene();
  const std::optional<std::int64_t> due = session_.NextTimerDue();
  if (!due || watchOnly_) {
    timer_.stop();
    return;
  }
  const std::int64_t wait = std::clamp<std::int64_t>(*due - RealNow(), 0, INT_MAX);
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

std::int64_t GameWindow::RealNow() const {
  return realClock_ ? realClock_->NowMs() : session_.Now();
}

void GameWindow::CatchUp() {
  session_.AdvanceTo(RealNow());
}

// --- Events of the player ------------------------------------------------------------------

void GameWindow::DeliverFromTextBox(const session::PlayerEvent& event) {
  if (watchOnly_) {
    RefreshSoon();  // the box shows the game's text again
    return;
  }
  CatchUp();
  session_.Deliver(event);
  UpdateFocus();
  RefreshSoon();
}

void GameWindow::UpdateScene() {
  shownRevision_ = manager_.Revision();

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
          manager_, state, [this](const session::PlayerEvent& event) { DeliverFromTextBox(event); },
          desktop_);
      it = screens_.emplace(order[i], item).first;
    }
    it->second->setZValue(double(order.size() - i));
  }
  for (auto& [name, item] : screens_) item->Show(*manager_.Peek(name));
  UpdateFocus();
}

TextBox* GameWindow::FocusedTextBox() const {
  const std::string control = manager_.FocusedControl();
  auto it = screens_.find(manager_.ActiveScreen());
  if (control.empty() || it == screens_.end()) return nullptr;
  QGraphicsProxyWidget* proxy = it->second->ProxyOf(control);
  if (!proxy || !proxy->isVisible() || !proxy->isEnabled()) return nullptr;
  return static_cast<TextBox*>(proxy->widget());
}

void GameWindow::UpdateFocus() {
  if (TextBox* box = FocusedTextBox()) {
    // The line edit itself takes the focus, not only its proxy: only then does its caret show.
    if (!box->hasFocus()) box->setFocus(Qt::OtherFocusReason);
  } else if (scene_.focusItem()) {
    scene_.setFocusItem(nullptr);
  }
}

// --- Keys ----------------------------------------------------------------------------------

bool GameWindow::event(QEvent* event) {
  // While a replay plays, no key of the player reaches the game; Escape stops the replay.
  if (watchOnly_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::InputMethod)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_Escape && stop_) stop_();
    return true;
  }
  // Tab is the window's own key: it reaches neither the scene's focus chain nor the game.
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      MoveFocus(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
      return true;
    }
  }
  return QGraphicsView::event(event);
}

void GameWindow::MoveFocus(bool forward) {
  if (manager_.Ended()) return;
  CatchUp();
  session_.MoveFocus(forward);
  Refresh();
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
  // The click lands on what the game shows at its moment, once the timers due have fired.
  CatchUp();
  Refresh();
  if (const std::optional<Hit> hit = HitAt(desktop)) {
    session_.Deliver(session::PlayerEvent::ClickOn(hit->screen, hit->control));
  }
  Refresh();
}

void GameWindow::mousePressEvent(QMouseEvent* event) {
  if (watchOnly_) {
    event->accept();
    return;
  }
  if (event->button() == Qt::LeftButton) Click(mapToScene(event->position().toPoint()));
  // The line edits get the press too, for their caret and selection.
  QGraphicsView::mousePressEvent(event);
  event->accept();  // the desktop is the whole window: a press never goes past it
  UpdateFocus();
}

void GameWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  if (watchOnly_) {
    event->accept();
    return;
  }
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
  CentreInFrameOnceKnown();
}

void GameWindow::moveEvent(QMoveEvent* event) {
  QGraphicsView::moveEvent(event);
  CentreInFrameOnceKnown();
}

void GameWindow::showEvent(QShowEvent* event) {
  QGraphicsView::showEvent(event);
  // The keyboard comes to the game at once: the focused text box shows its caret unclicked.
  activateWindow();
  setFocus(Qt::ActiveWindowFocusReason);
  UpdateFocus();
}

void GameWindow::changeEvent(QEvent* event) {
  QGraphicsView::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  // A text box takes the keyboard only once the window is active.
  if (isActiveWindow()) UpdateFocus();
  CentreInFrameOnceKnown();
}

namespace {

// What a display's free area leaves for the window's own area once its frame is around it,
// never less than nothing. In 64 bits: the free area of a display scaled by a factor near zero
// has edges near INT_MAX, and its width would overflow an int.
struct Room {
  qint64 left, top, width, height;
};

Room RoomIn(const QRect& available, const QMargins& frame) {
  const qint64 left = qint64(available.left()) + frame.left();
  const qint64 top = qint64(available.top()) + frame.top();
  return {left, top, std::max<qint64>(0, qint64(available.right()) - frame.right() - left + 1),
          std::max<qint64>(0, qint64(available.bottom()) - frame.bottom() - top + 1)};
}

int ClampedToInt(qint64 value) {
  return int(std::clamp<qint64>(value, INT_MIN, INT_MAX));
}

QSize BoundedTo(QSize size, const Room& room) {
  return QSize(ClampedToInt(std::min<qint64>(size.width(), room.width)),
               ClampedToInt(std::min<qint64>(size.height(), room.height)));
}

}  // namespace

QRect GameWindow::CentredWindow(const QRect& available, const QMargins& frame) {
  const Room room = RoomIn(available, frame);
  const QSize size = BoundedTo(kWindowedSize, room);
  return QRect(ClampedToInt(room.left + (room.width - size.width()) / 2),
               ClampedToInt(room.top + (room.height - size.height()) / 2), size.width(),
               size.height());
}

QSize GameWindow::SmallestWindow(const QRect& available, const QMargins& frame) {
  return BoundedTo(kSmallestWindow, RoomIn(available, frame));
}

void GameWindow::RememberWindowedGeometry() {
  if (!isVisible() || isFullScreen()) return;
  const QRect normal = normalGeometry();
  const QSize display = screen() ? screen()->geometry().size() : QSize();
  if (IsWindowedGeometry(normal, display)) windowedGeometry_ = normal;
}

bool GameWindow::IsWindowedGeometry(const QRect& normal, const QSize& display) {
  // A window as large as the whole display is the full screen that the window system, a few
  // presses of F11 behind, has not left yet; a window manager may have moved it down by its
  // title bar.
  const bool asLargeAsDisplay = display.isValid() && normal.width() >= display.width() &&
                                normal.height() >= display.height();
  return normal.isValid() && !asLargeAsDisplay;
}

void GameWindow::ShowFullScreen() {
  RememberWindowedGeometry();
  fullScreen_ = true;
  setMinimumSize(0, 0);
  // Covers the whole display even where no window manager honours the full-screen request.
  if (QScreen* display = screen()) setGeometry(display->geometry());
  showFullScreen();
}

void GameWindow::ShowWindowed() {
  // Full screen ends first: a window manager restores the window, then it takes its place.
  setWindowState(windowState() &
                 ~(Qt::WindowFullScreen | Qt::WindowMaximized | Qt::WindowMinimized));
  fullScreen_ = false;
  setMinimumSize(SmallestWindow(AvailableArea(), FrameMargins()));
  setGeometry(WindowedGeometry());
  show();
}

QRect GameWindow::WindowedGeometry() {
  if (!windowedGeometry_) {
    const QMargins frame = FrameMargins();
    windowedGeometry_ = CentredWindow(AvailableArea(), frame);
    centreInFrame_ = frame.isNull();
  }
  return *windowedGeometry_;
}

void GameWindow::CentreInFrameOnceKnown() {
  if (!centreInFrame_ || !isVisible() || isFullScreen()) return;
  // Not while the window manager is still bringing the window out of full screen.
  if (geometry() != *windowedGeometry_) return;
  const QMargins frame = FrameMargins();
  if (frame.isNull()) return;
  centreInFrame_ = false;
  if (AvailableArea().contains(geometry().marginsAdded(frame))) return;  // the frame fits
  windowedGeometry_ = CentredWindow(AvailableArea(), frame);
  setGeometry(*windowedGeometry_);
}

QRect GameWindow::AvailableArea() const {
  return screen() ? screen()->availableGeometry() : QRect(QPoint(), kWindowedSize);
}

QMargins GameWindow::FrameMargins() const {
  return windowHandle() ? windowHandle()->frameMargins() : QMargins();
}

void GameWindow::ToggleFullScreen() {
  // By what the player last asked for, not by the state the window system reports, which may
  // still be catching up with earlier presses.
  if (fullScreen_) {
    ShowWindowed();
  } else {
    ShowFullScreen();
  }
}

void GameWindow::closeEvent(QCloseEvent* event) {
  // Closing the window ends the game as End does: nothing is kept, nothing runs any more. The
  // session's listener hears how long the game ran on since the last event.
  if (!watchOnly_) session_.Leave(RealNow());
  timer_.stop();
  event->accept();
}

// --- Replays -------------------------------------------------------------------------------

void GameWindow::WatchOnly(std::function<void()> stop) {
  watchOnly_ = true;
  stop_ = std::move(stop);
}

void GameWindow::Highlight(std::string_view screen, std::string_view control) {
  const engine::ScreenState* state = manager_.Peek(screen);
  auto it = screens_.find(screen);
  if (!state || !state->visible || it == screens_.end()) return;
  const int index = state->design->IndexOf(control);
  if (index < 0 || !state->controls[size_t(index)].visible) return;
  const QRectF rect = it->second->mapRectToScene(it->second->ControlRectOf(index));
  if (rect.isEmpty()) return;
  auto* mark = new QGraphicsRectItem(rect.adjusted(-2, -2, 2, 2), desktop_);
  mark->setPen(QPen(QColor(255, 214, 64), 2));
  mark->setBrush(QColor(255, 214, 64, 90));
  mark->setZValue(1e6);  // over every screen
  mark->setAcceptedMouseButtons(Qt::NoButton);
  highlights_.push_back(mark);
  QTimer::singleShot(kHighlightMs, this, [this, mark] {
    highlights_.erase(std::remove(highlights_.begin(), highlights_.end(), mark), highlights_.end());
    delete mark;
  });
}

bool GameWindow::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t" || internalWinId() == 0) return false;
  switch (X11NewsOf(message, internalWinId())) {
    case X11News::Destroyed:
      // Destroyed from outside (a kill by the window manager or a tool), the window leaves
      // nothing to play in: the game ends as when the player closes it.
      close();
      break;
    case X11News::PropertyChanged:
      // Maybe the frame the window manager tells of; Qt takes it in first.
      if (centreInFrame_) {
        QMetaObject::invokeMethod(
            this, [this] { CentreInFrameOnceKnown(); }, Qt::QueuedConnection);
      }
      break;
    case X11News::Nothing:
      break;
  }
  return false;
}

}  // namespace quillon::qt
