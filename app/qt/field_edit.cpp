#include "app/qt/field_edit.h"

#include <QKeyEvent>

#include "app/cp1252.h"
#include "app/qt/cp1252_text.h"

namespace pannellonistica {
namespace {

// A key that types text, as opposed to an editing key, a shortcut or navigation.
bool TypesText(const QKeyEvent& event) {
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    return false;
  }
  const QString text = event.text();
  if (text.isEmpty()) return false;
  for (const QChar character : text) {
    if (character.unicode() < 0x20 || character.unicode() == 0x7F) return false;
  }
  return true;
}

}  // namespace

FieldEdit::FieldEdit(TextField& model, QWidget* parent) : QLineEdit(parent), model_(model) {
  setValidator(new Cp1252Validator(this));
  Push();
}

void FieldEdit::Pull() {
  model_.text = ToCp1252(text());
  if (hasSelectedText()) {
    model_.caret = static_cast<int>(selectionStart());
    model_.selection_length = static_cast<int>(selectedText().size());
  } else {
    model_.caret = static_cast<int>(cursorPosition());
    model_.selection_length = 0;
  }
}

void FieldEdit::Push() {
  setMaxLength(model_.max_length > 0 ? model_.max_length : 32767);
  const QString shown = FromCp1252(model_.text);
  if (text() != shown) setText(shown);
  if (model_.selection_length > 0) {
    setSelection(model_.caret, model_.selection_length);
  } else {
    setCursorPosition(model_.caret);
  }
  ShowBackground();
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (TypeKey(model_, kEnter) == KeyResult::kMoveFocus) focusNextChild();
    event->accept();
    return;
  }
  if (!TypesText(*event)) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  Pull();
  for (const QChar character : event->text()) {
    // A character the code page lacks is dropped like a key the mask cancels.
    if (const auto byte = UnicodeToCp1252(character.unicode())) TypeKey(model_, *byte);
  }
  Push();
  event->accept();
}

void FieldEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  Pull();
  const std::string before = model_.text;
  GainFocus(model_);
  if (model_.text != before) Push();
  ShowBackground();
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
  LoseFocus(model_);
  ShowBackground();
  QLineEdit::focusOutEvent(event);
}

void FieldEdit::ShowBackground() {
  QPalette colours = palette();
  colours.setColor(QPalette::Base,
                   QColor(model_.background.red, model_.background.green, model_.background.blue));
  setPalette(colours);
}

}  // namespace pannellonistica
