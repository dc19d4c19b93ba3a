#include "qt/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <cmath>

namespace quillon::qt {

namespace {

const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");
const QString kWindowed = QStringLiteral("windowed");
const QString kScript = QStringLiteral("script");
const QString kRecord = QStringLiteral("record");
const QString kReplay = QStringLiteral("replay");
const QString kSpeed = QStringLiteral("speed");

}  // namespace

CommandLine ParseCommandLine(int argc, char** argv) {
  // Each byte as one character, so that a file name that is not UTF-8 comes back byte for
  // byte; the options themselves are ASCII.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLatin1(argv[i]);
  const auto bytes = [](const QString& text) { return text.toLatin1().toStdString(); };

  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.addOptions({
      {{QStringLiteral("h"), kHelp}, QString()},
      {{QStringLiteral("v"), kVersion}, QString()},
      {kWindowed, QString()},
      {kScript, QString(), QStringLiteral("FILE")},
      {kRecord, QString(), QStringLiteral("FILE")},
      {kReplay, QString(), QStringLiteral("FILE")},
      {kSpeed, QString(), QStringLiteral("N")},
  });

  CommandLine command;
  if (!parser.parse(arguments)) {
    command.action = CommandLine::Action::Error;
    command.error = bytes(parser.errorText());
  } else if (!parser.positionalArguments().isEmpty()) {
    command.action = CommandLine::Action::Error;
    command.error = "Unexpected argument '" + bytes(parser.positionalArguments()[0]) + "'.";
  } else if (parser.isSet(kHelp)) {
    command.action = CommandLine::Action::Help;
  } else if (parser.isSet(kVersion)) {
    command.action = CommandLine::Action::Version;
  } else if (int(parser.isSet(kScript)) + int(parser.isSet(kReplay)) + int(parser.isSet(kRecord)) >
             1) {
    command.action = CommandLine::Action::Error;
    command.error = "--script, --replay and --record go one at a time.";
  } else if (parser.isSet(kSpeed) && !parser.isSet(kReplay)) {
    command.action = CommandLine::Action::Error;
    command.error = "--speed goes with --replay.";
  } else if (parser.isSet(kScript)) {
    command.action = CommandLine::Action::Script;
    command.scriptFile = bytes(parser.value(kScript));
  } else if (parser.isSet(kReplay)) {
    command.action = CommandLine::Action::Replay;
    command.scriptFile = bytes(parser.value(kReplay));
    command.windowed = parser.isSet(kWindowed);
    if (parser.isSet(kSpeed)) {
      bool number = false;
      command.speed = parser.value(kSpeed).toDouble(&number);
      if (!number || !std::isfinite(command.speed) || command.speed <= 0) {
        command.action = CommandLine::Action::Error;
        command.error =
            "Bad speed '" + bytes(parser.value(kSpeed)) + "': a number above 0, such as 4 or 0.5.";
      }
    }
  } else if (parser.isSet(kRecord) && parser.value(kRecord).isEmpty()) {
    command.action = CommandLine::Action::Error;
    command.error = "no file name for the recording";
  } else {
    command.windowed = parser.isSet(kWindowed);
    command.recordFile = bytes(parser.value(kRecord));
  }
  return command;
}

QString Usage() {
  return QStringLiteral(
      "Usage: quillon [--windowed]\n"
      "       quillon [--windowed] --record FILE\n"
      "       quillon --script FILE\n"
      "       quillon --replay FILE [--speed N] [--windowed]\n"
      "\n"
      "A hacking-simulation game in Czech, played in its window.\n"
      "\n"
      "Options:\n"
      "  --windowed      start in a 1024 x 768 window instead of full screen (F11 switches)\n"
      "  --record FILE   write the game down in FILE as a script while it is played, to play\n"
      "                  it again or attach it to a bug report\n"
      "  --script FILE   play the game without a window, in virtual time, from a script\n"
      "                  (FILE '-' reads standard input); see quillon(6) for its commands\n"
      "  --replay FILE   play a script (a recording, say) in the window in real time, to watch\n"
      "                  it; Esc or closing the window stops it\n"
      "  --speed N       replay N times faster (N above 0, such as 4 or 0.5)\n"
      "  -h, --help      show this help and exit\n"
      "  -v, --version   show the version and exit\n"
      "\n"
      "Exit status: 0 the game ended; 1 an expect of the script failed, or no display;\n"
      "2 a bad command line, an unreadable script, a script line not understood, or a\n"
      "recording file refused;\n"
      "3 the game ended but its recording, or script mode's output, could not be written.\n"
      "\n"
      "Environment: QUILLON_DATA_DIR names the folder of the game's sounds.\n");
}

QString MissingDisplay(const DisplayEnvironment& environment) {
  // QT_QPA_PLATFORM may list several platforms to try, separated by ';', each with options
  // after a ':'.
  // Only the two desktop platforms need a display; any other one in the list may do without.
  QStringList platforms;
  for (const QString& entry : environment.platform.split(u';', Qt::SkipEmptyParts)) {
    const QString name = entry.section(u':', 0, 0);
    if (name != u"xcb" && name != u"wayland") return QString();
    platforms << name;
  }
  const bool needsX11 = platforms.isEmpty() || platforms.contains(QStringLiteral("xcb"));
  const bool needsWayland = platforms.isEmpty() || platforms.contains(QStringLiteral("wayland"));
  const bool hasX11 = !environment.x11Display.isEmpty();
  if (needsX11 && hasX11) return QString();
  if (needsWayland && environment.waylandAnswers) return QString();

  const QString& wayland = environment.waylandDisplay;
  const QString noCompositor = QStringLiteral("no compositor answers at WAYLAND_DISPLAY=") + wayland;
  QString cause;
  if (!needsX11) {
    cause = QStringLiteral("QT_QPA_PLATFORM asks for Wayland, but ") +
            (wayland.isEmpty() ? QStringLiteral("WAYLAND_DISPLAY is not set") : noCompositor);
  } else if (!needsWayland) {
    cause = QStringLiteral("QT_QPA_PLATFORM asks for X11, but DISPLAY is not set");
  } else if (wayland.isEmpty()) {
    cause = QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
  } else {
    cause = QStringLiteral("DISPLAY is not set, and ") + noCompositor;
  }
  return QStringLiteral("no display to open the game's window on (") + cause +
         QStringLiteral("); run it on a desktop, or play without a window with --script FILE");
}

}  // namespace quillon::qt
