#include "qt/text_box.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include "qt/control_style.h"

namespace quillon::qt {

namespace {

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

TextBox::TextBox(const engine::ScreenManager& manager, std::string screen,
                 const engine::ControlDesign& design, std::uint64_t instance,
                 std::function<void(const session::PlayerEvent&)> deliver)
    : manager_(manager),
      screen_(std::move(screen)),
      control_(design.name),
      instance_(instance),
      deliver_(std::move(deliver)) {
  setFont(ControlFont(design));
  setStyleSheet(StyleSheet(design));
  setFrame(false);
  setMinimumSize(1, 1);
  setContextMenuPolicy(Qt::NoContextMenu);
  ShowGameText();
  // Every other edit of the player (deleting, pasting, cutting, undoing) reaches the game.
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!GameState()) return;
    deliver_(session::PlayerEvent::EditOf(screen_, control_, text.toStdString()));
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
      return event.modifiers() & shortcutModifiers ? 0 : engine::kBackspaceKey;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return engine::kEnterKey;
    case Qt::Key_Escape:
      return engine::kEscapeKey;
    default:
      break;
  }
  const QString text = event.text();
  if (text.isEmpty()) return 0;
  const QList<uint> characters = text.toUcs4();
  if (characters.isEmpty()) return 0;
  const uint code = characters.front();
  if (!engine::IsTypeableCharacter(code)) return 0;  // shortcuts such as Ctrl+C
  return int(code);
}

void TextBox::TypeKey(int code) {
  if (!GameState()) return;
  deliver_(session::PlayerEvent::KeyPress(code));
  // The game may have rewritten the box or closed its screen.
  ShowGameText();
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  const int code = CharacterCode(*event);
  if (code == 0) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  TypeKey(code);
  event->accept();
}

void TextBox::inputMethodEvent(QInputMethodEvent* event) {
  // Each committed character is a key press of its own; the rest of the event (the text being
  // composed) is the box's own.
  QInputMethodEvent composing(event->preeditString(), event->attributes());
  QLineEdit::inputMethodEvent(&composing);
  for (const uint character : event->commitString().toUcs4()) {
    if (engine::IsTypeableCharacter(character)) TypeKey(int(character));
  }
}

}  // namespace quillon::qt
