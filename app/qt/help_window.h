// Help_pannellone: a passive window whose picture explains, in Italian, what each field of
// the data-entry window means. Shown modally by "&Help".
#pragma once

#include <QDialog>

namespace pannellonistica {

class HelpWindow : public QDialog {
 public:
  explicit HelpWindow(QWidget* parent);
};

}  // namespace pannellonistica
