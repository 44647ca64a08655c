#include "app/qt/qt_message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/qt/cp1252_text.h"

namespace pannellonistica {
namespace {

void ShowOk(QWidget* parent, QMessageBox::Icon icon, const std::string& title,
            const std::string& text) {
  QMessageBox box(icon, FromUtf8(title), FromUtf8(text), QMessageBox::NoButton, parent);
  box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.exec();
}

}  // namespace

bool QtMessageBoxes::AskYesNo(const std::string& title, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, FromUtf8(title), FromUtf8(text), QMessageBox::NoButton,
                  parent_);
  QPushButton* yes = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

void QtMessageBoxes::Notify(const std::string& title, const std::string& text) {
  ShowOk(parent_, QMessageBox::NoIcon, title, text);
}

void QtMessageBoxes::Fail(const std::string& title, const std::string& text) {
  ShowOk(parent_, QMessageBox::Critical, title, text);
}

void QtMessageBoxes::Warn(const std::string& title, const std::string& text) {
  ShowOk(parent_, QMessageBox::Warning, title, text);
}

}  // namespace pannellonistica
