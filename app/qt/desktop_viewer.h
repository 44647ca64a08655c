// Opens the billboard with the desktop's default application for PDF files (xdg-open),
// never waiting for it. When the opener cannot start or reports that nothing opened the
// file, "Stampa" would otherwise end with nothing visible: the user is told where the
// billboard was written.
#pragma once

#include <QObject>
#include <QString>

#include "app/billboard_generator.h"
#include "app/message_boxes.h"

namespace pannellonistica {

class DesktopViewer : public QObject, public DocumentViewer {
 public:
  // `opener` is the command given the file's path; tests pass one that fails.
  explicit DesktopViewer(MessageBoxes& boxes, QString opener = QStringLiteral("xdg-open"));

  void Open(const std::filesystem::path& billboard) override;

 private:
  MessageBoxes& boxes_;
  QString opener_;
};

}  // namespace pannellonistica
