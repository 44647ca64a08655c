// A QLineEdit bound to one TextField of the form's logic: typed keys go through the field's
// mask, Enter moves the focus on as Tab, and gaining or losing the focus changes the
// background as the logic says.
#pragma once

#include <QLineEdit>

#include "app/text_field.h"

namespace pannellonistica {

class FieldEdit : public QLineEdit {
 public:
  FieldEdit(TextField& model, QWidget* parent);

  // Copies the widget's text, caret and selection into the model.
  void Pull();
  // Shows the model's text, caret, selection, maximum length and background.
  void Push();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void ShowBackground();

  TextField& model_;
};

}  // namespace pannellonistica
