// Renders the application icon from its SVG into the square PNG sizes of the desktop's icon
// theme, each on a transparent background, the picture's proportions kept and centred:
//   OUTPUT_FOLDER/16x16/NAME.png … OUTPUT_FOLDER/512x512/NAME.png
// Usage: make_icons SOURCE.svg OUTPUT_FOLDER NAME
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QMessageLogContext>
#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QSvgRenderer>
#include <algorithm>
#include <array>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace {

constexpr std::array kSizes{16, 24, 32, 48, 64, 128, 256, 512};

// The picture's own size: its view box, else its width and height.
QSizeF PictureSize(const QSvgRenderer& renderer) {
  const QRectF viewBox = renderer.viewBoxF();
  if (!viewBox.isEmpty()) return viewBox.size();
  return QSizeF(renderer.defaultSize());
}

// The largest rectangle of the picture's proportions that fits the square, centred in it.
QRectF CentredIn(const QSizeF& picture, int side) {
  const double scale = std::min(side / picture.width(), side / picture.height());
  const QSizeF fitted = picture * scale;
  return QRectF((side - fitted.width()) / 2, (side - fitted.height()) / 2, fitted.width(),
                fitted.height());
}

// Qt's own messages. The offscreen platform's note about a missing XDG_RUNTIME_DIR says
// nothing about the icons and is dropped; while the SVG is read, the SVG module's messages are
// held back, to become the reason of the one error line, or to follow when the file is fine.
bool holdingSvgMessages = false;
std::vector<QString> heldSvgMessages;

void ReportQtMessage(QtMsgType, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
  if (holdingSvgMessages && context.category && QByteArray(context.category) == "qt.svg") {
    heldSvgMessages.push_back(message);
    return;
  }
  std::cerr << message.toStdString() << '\n';
}

// Reads the SVG; on a file that cannot be drawn, returns the reason Qt gave, if any.
std::pair<bool, std::string> Load(QSvgRenderer& renderer, const QString& source) {
  holdingSvgMessages = true;
  const bool loaded = renderer.load(source) && renderer.isValid();
  holdingSvgMessages = false;
  std::vector<QString> messages = std::move(heldSvgMessages);
  heldSvgMessages.clear();
  if (loaded) {
    for (const QString& message : messages) std::cerr << message.toStdString() << '\n';
    return {true, {}};
  }
  return {false, messages.empty() ? std::string() : messages.back().toStdString()};
}

QImage Render(QSvgRenderer& renderer, const QSizeF& picture, int side) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                         QPainter::TextAntialiasing);
  renderer.render(&painter, CentredIn(picture, side));
  painter.end();
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: make_icons SOURCE.svg OUTPUT_FOLDER NAME\n";
    return 2;
  }
  const std::string source = argv[1];
  const std::filesystem::path folder = argv[2];
  const std::string name = argv[3];

  // Text in an SVG needs the font database, which needs a QGuiApplication; the offscreen
  // platform lets the tool run at build time with no display. Qt gets only the program's name,
  // so that it takes none of the paths for its own options.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(ReportQtMessage);
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QGuiApplication app(qtArgc, qtArgv);

  QSvgRenderer renderer;
  const auto [loaded, reason] = Load(renderer, QString::fromLocal8Bit(source.c_str()));
  if (!loaded) {
    std::cerr << "make_icons: cannot read the SVG picture " << source
              << (reason.empty() ? "" : ": " + reason) << '\n';
    return 1;
  }
  const QSizeF picture = PictureSize(renderer);
  if (picture.isEmpty()) {
    std::cerr << "make_icons: the SVG picture " << source << " has no size\n";
    return 1;
  }

  for (int side : kSizes) {
    const std::string size = std::to_string(side) + "x" + std::to_string(side);
    const std::filesystem::path file = folder / size / (name + ".png");
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error) {
      std::cerr << "make_icons: cannot make the folder " << file.parent_path().string() << ": "
                << error.message() << '\n';
      return 1;
    }
    if (!Render(renderer, picture, side).save(QString::fromStdString(file.string()), "PNG")) {
      std::cerr << "make_icons: cannot write " << file.string() << '\n';
      return 1;
    }
  }
  return 0;
}
