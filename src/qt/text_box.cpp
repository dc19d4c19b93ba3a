#include "qt/text_box.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include "qt/look.h"

namespace quillon::window {

namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kEscape = 27;

// The key event that types `code` instead of the key the player pressed.
QKeyEvent KeyFor(int code) {
  switch (code) {
    case kBackspace:
      return QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    case kEnter:
      return QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    case kEscape:
      return QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    default: {
      const char32_t character = char32_t(code);
      return QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                       QString::fromUcs4(&character, 1));
    }
  }
}

// The box itself is borderless and black: the screens frame their text boxes with shapes.
QString StyleSheet(const engine::ControlDesign& design) {
  const QColor text = ToQColor(design.foreColor);
  const QColor selection = ToQColor(engine::colors::kText);
  return QStringLiteral(
             "QLineEdit { background: black; color: %1; border: none; padding: 0px 1px;"
             " selection-background-color: %2; selection-color: black; }")
      .arg(text.name(), selection.name());
}

}  // namespace

TextBox::TextBox(engine::ScreenManager& manager, std::string screen,
                 const engine::ControlDesign& design, std::uint64_t instance,
                 std::function<void()> afterEvent)
    : manager_(manager),
      screen_(std::move(screen)),
      control_(design.name),
      instance_(instance),
      afterEvent_(std::move(afterEvent)) {
  setFont(ControlFont(design));
  setStyleSheet(StyleSheet(design));
  setFrame(false);
  setMinimumSize(1, 1);
  setContextMenuPolicy(Qt::NoContextMenu);
  ShowGameText();
  // Every edit of the player (typing, deleting, pasting, cutting, undoing) reaches the game.
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!GameState()) return;
    manager_.EditText(screen_, control_, text.toStdString());
    afterEvent_();
  });
}

const engine::ControlState* TextBox::GameState() const {
  const engine::ScreenState* screen = manager_.Peek(screen_);
  if (!screen || screen->instance != instance_) return nullptr;
  return screen->Find(control_);
}

void TextBox::ShowGameText() {
  const engine::ControlState* state = GameState();
  if (!state) return;
  const QString text = QString::fromStdString(state->text);
  if (text != QLineEdit::text()) setText(text);
}

int TextBox::CharacterCode(const QKeyEvent& event) {
  const Qt::KeyboardModifiers shortcutModifiers = Qt::ControlModifier | Qt::MetaModifier;
  switch (event.key()) {
    case Qt::Key_Backspace:
      return event.modifiers() & shortcutModifiers ? 0 : kBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kEnter;
    case Qt::Key_Escape:
      return kEscape;
    default:
      break;
  }
  const QString text = event.text();
  if (text.isEmpty()) return 0;
  const QList<uint> characters = text.toUcs4();
  if (characters.isEmpty()) return 0;
  const uint code = characters.front();
  if (code < 32 || code == 127) return 0;  // shortcuts such as Ctrl+C
  return int(code);
}

int TextBox::GameKeyPress(int code) {
  if (!GameState()) return 0;
  const int result = manager_.KeyPress(screen_, control_, code);
  // The handler may have rewritten the box or closed its screen: the key edits what the game
  // holds now, or nothing.
  if (!GameState()) return 0;
  ShowGameText();
  return result;
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  const int code = CharacterCode(*event);
  if (code == 0) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const int result = GameKeyPress(code);
  if (result == code) {
    QLineEdit::keyPressEvent(event);
  } else if (result != 0) {
    QKeyEvent changed = KeyFor(result);
    QLineEdit::keyPressEvent(&changed);
  }
  event->accept();
  afterEvent_();
}

void TextBox::inputMethodEvent(QInputMethodEvent* event) {
  if (event->commitString().isEmpty()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  // Each committed character is a key press of its own; the handler may swallow or change it.
  QString accepted;
  for (const uint character : event->commitString().toUcs4()) {
    const int result = GameKeyPress(int(character));
    if (result >= 32 && result != 127) {
      const char32_t typed = char32_t(result);
      accepted += QString::fromUcs4(&typed, 1);
    }
  }
  QInputMethodEvent filtered(event->preeditString(), event->attributes());
  filtered.setCommitString(accepted, event->replacementStart(), event->replacementLength());
  QLineEdit::inputMethodEvent(&filtered);
  afterEvent_();
}

}  // namespace quillon::window
