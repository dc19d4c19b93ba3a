// The reference the game's window is measured against: a bare Qt Widgets window, one
// QGraphicsView on a 1024 x 768 scene holding one rectangle, scaled to fit the window as the
// game's desktop is. A click or a key press toggles the rectangle's colour.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace bench {

class BareView : public QGraphicsView {
 public:
  BareView() {
    scene_.setSceneRect(0, 0, 1024, 768);
    rect_ = scene_.addRect(QRectF(312, 234, 400, 300), Qt::NoPen, QBrush(Qt::darkBlue));
    setScene(&scene_);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setBackgroundBrush(Qt::black);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
    resize(1024, 768);
  }

  // Where a click toggles the rectangle, in the viewport.
  QPoint RectCentre() const { return mapFromScene(rect_->rect().center()); }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    Toggle();
    event->accept();
  }
  void keyPressEvent(QKeyEvent* event) override {
    Toggle();
    event->accept();
  }
  void resizeEvent(QResizeEvent* event) override {
    QGraphicsView::resizeEvent(event);
    const double scale = std::min(viewport()->width() / 1024.0, viewport()->height() / 768.0);
    if (scale <= 0) return;
    setTransform(QTransform::fromScale(scale, scale));
    centerOn(512, 384);
  }

 private:
  void Toggle() {
    on_ = !on_;
    rect_->setBrush(on_ ? Qt::darkRed : Qt::darkBlue);
  }

  QGraphicsScene scene_;
  QGraphicsRectItem* rect_ = nullptr;
  bool on_ = false;
};

// The reference's copy of the game's QUILLON_QUIT_AFTER_FIRST_FRAME hook: quits as soon as the
// first paint of the watched viewport is over.
class QuitAfterFirstFrame : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QCoreApplication::exit(0);
    }
    return false;
  }
};

}  // namespace bench
