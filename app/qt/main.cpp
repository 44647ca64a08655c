// Starts the data-entry window on the data file of the data folder (the program's folder,
// the user's data folder when the program's is read-only, or the folder given with
// --cartella); with --stampa, prints the billboard from that data file and exits.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>
#include <algorithm>
#include <csignal>
#include <iostream>

#include "app/billboard_generator.h"
#include "app/command_line.h"
#include "app/program_folders.h"
#include "app/qt/desktop_viewer.h"
#include "app/qt/pannellonistica_window.h"
#include "app/qt/qt_message_boxes.h"

namespace {

// The folder of the program; the current folder when the system does not say.
std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path(".") : program.parent_path();
}

// The folder given with --cartella, else the program's when it is writable, else the
// user's data folder (~/.local/share/pannellonistica).
std::filesystem::path ChooseDataFolder(const pannellonistica::CommandLine& line) {
  const std::filesystem::path program = ProgramFolder();
  const bool writable = !line.folder && pannellonistica::FolderIsWritable(program);
  const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  return pannellonistica::DataFolder(line.folder, program, writable, user.toStdString());
}

pannellonistica::BillboardPaths PathsIn(const std::filesystem::path& folder) {
  return {folder / pannellonistica::kDataFileName, pannellonistica::PicturesFolder(ProgramFolder()),
          folder / "pannellone.pdf"};
}

// Prints without a window and opens no viewer: the outcome goes to the terminal and the
// exit status, which fails only when no billboard was written.
int PrintHeadless(const pannellonistica::CommandLine& line) {
  const std::filesystem::path folder = ChooseDataFolder(line);
  const pannellonistica::BillboardOutcome outcome =
      pannellonistica::BillboardGenerator(PathsIn(folder), nullptr);
  if (!outcome.printed) {
    std::cerr << outcome.message << '\n';
    return 1;
  }
  // The billboard is printed all the same: a warning, not a failure.
  for (const std::string& warning : outcome.missing_pictures) std::cerr << warning << '\n';
  std::cout << (folder / "pannellone.pdf").string() << '\n';
  return 0;
}

int Run(int argc, char* argv[]) {
  // Names the user's data folder (QStandardPaths) with or without a window.
  QCoreApplication::setApplicationName(QStringLiteral("pannellonistica"));
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (std::find(arguments.begin(), arguments.end(), "--stampa") != arguments.end()) {
    const pannellonistica::CommandLine line = pannellonistica::ParseCommandLine(arguments);
    if (!line.error.empty()) {
      std::cerr << line.error << '\n';
      return 2;
    }
    return PrintHeadless(line);
  }
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
  const std::filesystem::path folder = ChooseDataFolder(line);

  pannellonistica::QtMessageBoxes boxes;
  pannellonistica::DesktopViewer viewer(boxes);
  pannellonistica::PannellonisticaWindow window(folder, boxes, PathsIn(folder), viewer);
  boxes.SetParent(&window);
  window.show();
  window.activateWindow();
  return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
  // A write past a file-size limit must fail with an error the program reports, not kill it.
  std::signal(SIGXFSZ, SIG_IGN);
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "Pannellonistica: errore inatteso: " << e.what() << '\n';
    return 1;
  }
}
