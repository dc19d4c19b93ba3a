#include "qt/application.h"

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "game/identity.h"
#include "qt/command_line.h"

namespace quillon::qt {

namespace {

// The platform's words about the display, kept to name the cause if opening it fails.
QString& PlatformWarning() {
  static QString warning;
  return warning;
}

// Qt may try several platforms in turn; the one that names the display tells the cause best.
void KeepPlatformWarning(const QString& message) {
  const auto namesDisplay = [](const QString& text) { return text.contains(u"display"); };
  QString& kept = PlatformWarning();
  if (kept.isEmpty() || (namesDisplay(message) && !namesDisplay(kept))) kept = message;
}

// Other warnings while the window system opens, told only once it has opened.
QStringList& OpeningWarnings() {
  static QStringList warnings;
  return warnings;
}

// Qt reports a display it cannot reach with a few warnings and then a fatal message, after
// which it would abort; while the window system opens, those become one line and status 1.
void ReportOpening(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  const bool fromPlatform = context.category && QByteArray(context.category).startsWith("qt.qpa");
  if (type != QtFatalMsg) {
    // A platform plugin's own words about its display ("Failed to create wl_display") come
    // under any category; they too may name the cause.
    if (fromPlatform || message.contains(u"display")) KeepPlatformWarning(message);
    if (!fromPlatform) OpeningWarnings() << message;
    return;
  }
  QString cause = PlatformWarning().isEmpty() ? message.section(u'\n', 0, 0) : PlatformWarning();
  cause = cause.simplified();
  if (cause.endsWith(u'.')) cause.chop(1);
  std::fprintf(stderr,
               "quillon: cannot open the game's window: %s; run it on a desktop, or play "
               "without a window with --script FILE\n",
               qUtf8Printable(cause));
  std::fflush(stderr);
  std::_Exit(1);
}

// Whether a compositor's socket lies where WAYLAND_DISPLAY points: a path, or a name in
// XDG_RUNTIME_DIR; or the compositor handed one over in WAYLAND_SOCKET.
bool WaylandAnswers(const QString& waylandDisplay) {
  if (!qEnvironmentVariableIsEmpty("WAYLAND_SOCKET")) return true;
  if (waylandDisplay.isEmpty()) return false;
  std::filesystem::path socket = waylandDisplay.toStdString();
  if (socket.is_relative()) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty()) return false;
    socket = std::filesystem::path(runtime.toStdString()) / socket;
  }
  std::error_code error;
  return std::filesystem::is_socket(socket, error);
}

// A display is named, or a platform that needs none is chosen: else one line says so.
bool CheckDisplay() {
  DisplayEnvironment environment{.platform = qEnvironmentVariable("QT_QPA_PLATFORM"),
                                 .x11Display = qEnvironmentVariable("DISPLAY"),
                                 .waylandDisplay = qEnvironmentVariable("WAYLAND_DISPLAY")};
  environment.waylandAnswers = WaylandAnswers(environment.waylandDisplay);
  const QString missing = MissingDisplay(environment);
  if (!missing.isEmpty()) {
    std::fprintf(stderr, "quillon: %s\n", qUtf8Printable(missing));
    return false;
  }
  // A WAYLAND_DISPLAY that is empty or left from a session that is over names no compositor,
  // but Qt would still try Wayland for it first: the X display is then the one.
  if (!environment.waylandAnswers && !environment.x11Display.isEmpty()) {
    qunsetenv("WAYLAND_DISPLAY");
  }
  return true;
}

constexpr const char* kScaleFactor = "QT_SCALE_FACTOR";

// Sets aside a scale factor that cannot scale the window, saying so.
void CheckScaleFactor() {
  if (!qEnvironmentVariableIsSet(kScaleFactor)) return;
  if (const std::optional<QString> refusal =
          ScaleFactorRefusal(qEnvironmentVariable(kScaleFactor))) {
    std::fprintf(stderr, "quillon: %s\n", qUtf8Printable(*refusal));
    qunsetenv(kScaleFactor);
  }
}

}  // namespace

std::optional<QString> ScaleFactorRefusal(const QString& value) {
  // Beyond these the desktop would be drawn a few pixels small or the display's size in scaled
  // pixels would no longer fit the numbers a window's place is given in.
  constexpr double kSmallest = 0.1;
  constexpr double kLargest = 10;
  bool isNumber = false;
  const double factor = value.toDouble(&isNumber);
  if (isNumber && factor >= kSmallest && factor <= kLargest) return std::nullopt;
  return QStringLiteral("%1=%2 is no scale factor from 0.1 to 10; the window opens unscaled")
      .arg(QLatin1String(kScaleFactor), value);
}

std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv) {
  if (!CheckDisplay()) return nullptr;
  CheckScaleFactor();
  QApplication::setApplicationName(QString::fromLatin1(game::kApplicationName));
  QApplication::setApplicationVersion(QString::fromLatin1(game::kVersion));
  QApplication::setOrganizationName(QString::fromLatin1(game::kOrganisationName));
  QApplication::setOrganizationDomain(QString::fromLatin1(game::kOrganisationDomain));
  // Wayland compositors and desktops match the window to its desktop entry by this name.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(game::kApplicationId));

  const QtMessageHandler previous = qInstallMessageHandler(ReportOpening);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previous);
  for (const QString& warning : OpeningWarnings()) qWarning("%s", qUtf8Printable(warning));
  return application;
}

}  // namespace quillon::qt
