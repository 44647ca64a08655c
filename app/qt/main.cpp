// Starts the data-entry window on the data file of the program's folder, or of the folder
// given with --cartella.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <csignal>
#include <iostream>

#include "app/command_line.h"
#include "app/qt/pannellonistica_window.h"
#include "app/qt/qt_message_boxes.h"

int main(int argc, char* argv[]) {
  // A write past a file-size limit must fail with an error the program reports, not kill it.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication application(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  QTranslator qt_texts;  // Italian for Qt's own texts (the fields' context menu)
  if (qt_texts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qt_texts);
  }

  const pannellonistica::CommandLine line =
      pannellonistica::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!line.error.empty()) {
    std::cerr << line.error << '\n';
    return 2;
  }
  const std::filesystem::path folder =
      line.folder.value_or(QApplication::applicationDirPath().toStdString());

  pannellonistica::QtMessageBoxes boxes;
  pannellonistica::PannellonisticaWindow window(folder, boxes);
  boxes.SetParent(&window);
  window.show();
  window.activateWindow();
  return QApplication::exec();
}
