#include "qt/artwork.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <map>
#include <memory>
#include <string>

namespace quillon::window {

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

}  // namespace quillon::window
