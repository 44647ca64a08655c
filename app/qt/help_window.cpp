#include "app/qt/help_window.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/billboard_record.h"
#include "app/qt/window_helpers.h"

namespace pannellonistica {

QString DataFolderNote(const std::filesystem::path& data_folder) {
  return QStringLiteral(
             "Il file dei dati (%1) e il pannello stampato (pannellone.pdf) sono nella "
             "cartella <b>%2</b>.<br>Di norma è la cartella del programma; se il programma "
             "non vi può scrivere (installato per tutti gli utenti) è la cartella dei dati "
             "dell'utente. Per usarne un'altra si avvia il programma con "
             "<tt>--cartella CARTELLA</tt>.")
      .arg(QString::fromUtf8(kDataFileName.data(), static_cast<qsizetype>(kDataFileName.size())),
           QString::fromStdString(data_folder.string()).toHtmlEscaped());
}

HelpWindow::HelpWindow(const std::filesystem::path& data_folder, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("Help_pannellone"));
  setWindowTitle(QStringLiteral("Guida alla compilazione"));
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("Image1"));
  picture->setPixmap(QPixmap(QStringLiteral(":/help_pannellone.png")));
  auto* note = new QLabel(DataFolderNote(data_folder), this);
  note->setObjectName(QStringLiteral("NotaCartella"));
  note->setWordWrap(true);
  note->setTextInteractionFlags(Qt::TextSelectableByMouse);
  note->setFixedWidth(picture->pixmap().width());
  note->setContentsMargins(8, 6, 8, 8);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(picture);
  layout->addWidget(note);
  setFixedSize(sizeHint());
  CentreOnScreen(*this);
}

}  // namespace pannellonistica
