#include "app/qt/window_helpers.h"

#include <QLineEdit>
#include <QScreen>

#include "app/form_layout.h"

namespace pannellonistica {

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  window.move(area.left() + (area.width() - window.width()) / 2,
              area.top() + (area.height() - window.height()) / 2);
}

void FocusAndSelect(QWidget& control) {
  if (!control.isEnabled() || !control.isVisible()) return;
  control.setFocus(Qt::OtherFocusReason);
  if (auto* field = qobject_cast<QLineEdit*>(&control)) field->selectAll();
}

QRect TwipsRect(int left, int top, int width, int height) {
  return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace pannellonistica
