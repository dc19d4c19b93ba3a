#include "qt/artwork.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <cmath>
#include <map>
#include <memory>
#include <string>

namespace quillon::qt {

QString ArtworkPath(std::string_view name) {
  return QStringLiteral(":/assets/") + QString::fromUtf8(name.data(), qsizetype(name.size())) +
         QStringLiteral(".svg");
}

QSvgRenderer* Artwork(std::string_view name) {
  static std::map<std::string, std::unique_ptr<QSvgRenderer>, std::less<>> cache;
  auto it = cache.find(name);
  if (it == cache.end()) {
    std::unique_ptr<QSvgRenderer> renderer;
    if (QFile::exists(ArtworkPath(name))) {
      renderer = std::make_unique<QSvgRenderer>(ArtworkPath(name));
      if (!renderer->isValid()) renderer.reset();
    }
    it = cache.emplace(std::string(name), std::move(renderer)).first;
  }
  return it->second.get();
}

void DrawArtwork(QPainter& painter, std::string_view name, const QRectF& rect) {
  QSvgRenderer* renderer = Artwork(name);
  if (!renderer) return;
  const QTransform device = painter.combinedTransform();
  if (device.type() > QTransform::TxScale) {
    renderer->render(&painter, rect);
    return;
  }
  // The raster is made on whole device pixels, with the picture at the same fraction of a pixel
  // as it would have been drawn at, so the copy gives the very pixels a direct drawing gives.
  const QRectF target = device.mapRect(rect);
  const QPointF origin(std::floor(target.left()), std::floor(target.top()));
  const QRectF inRaster = target.translated(-origin);
  const QSize size(int(std::ceil(inRaster.right())), int(std::ceil(inRaster.bottom())));
  if (size.isEmpty()) return;
  // In 1/64 pixels: the same place worked out along another path still finds its raster.
  const auto sixtyFourths = [](double pixels) { return qRound64(pixels * 64); };
  const QString key = QStringLiteral("artwork:%1:%2,%3,%4,%5")
                          .arg(QString::fromUtf8(name.data(), qsizetype(name.size())))
                          .arg(sixtyFourths(inRaster.left()))
                          .arg(sixtyFourths(inRaster.top()))
                          .arg(sixtyFourths(inRaster.width()))
                          .arg(sixtyFourths(inRaster.height()));
  QPixmap raster;
  if (!QPixmapCache::find(key, &raster)) {
    raster = QPixmap(size);
    raster.fill(Qt::transparent);
    QPainter rasterPainter(&raster);
    rasterPainter.setRenderHints(painter.renderHints());
    renderer->render(&rasterPainter, inRaster);
    rasterPainter.end();
    QPixmapCache::insert(key, raster);
  }
  painter.save();
  painter.resetTransform();
  painter.drawPixmap(origin, raster);
  painter.restore();
}

QIcon ArtworkIcon(std::string_view name) {
  QSvgRenderer* renderer = Artwork(name);
  if (!renderer) return {};
  QIcon icon;
  for (int size : {16, 32, 48, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer->render(&painter, QRectF(0, 0, size, size));
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace quillon::qt
