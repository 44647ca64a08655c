// The form's message boxes as QMessageBox dialogs with Italian buttons.
#pragma once

#include <QWidget>

#include "app/message_boxes.h"

namespace pannellonistica {

class QtMessageBoxes : public MessageBoxes {
 public:
  // The window the boxes are modal to; null for none.
  void SetParent(QWidget* parent) { parent_ = parent; }

  bool AskYesNo(const std::string& title, const std::string& text) override;
  void Notify(const std::string& title, const std::string& text) override;
  void Fail(const std::string& title, const std::string& text) override;
  void Warn(const std::string& title, const std::string& text) override;

 private:
  QWidget* parent_ = nullptr;
};

}  // namespace pannellonistica
