#include "app/qt/help_window.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/qt/window_helpers.h"

namespace pannellonistica {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Help_pannellone"));
  setWindowTitle(QStringLiteral("Guida alla compilazione"));
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("Image1"));
  picture->setPixmap(QPixmap(QStringLiteral(":/help_pannellone.png")));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(picture);
  setFixedSize(sizeHint());
  CentreOnScreen(*this);
}

}  // namespace pannellonistica
