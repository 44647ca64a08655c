// Help_pannellone: a passive window whose picture explains, in Italian, what each field of
// the data-entry window means, and whose note says where the data and the billboard are
// kept. Shown modally by "&Help".
#pragma once

#include <QDialog>
#include <filesystem>

namespace pannellonistica {

class HelpWindow : public QDialog {
 public:
  // `data_folder` holds the data file and the printed billboard.
  HelpWindow(const std::filesystem::path& data_folder, QWidget* parent);
};

// The note under the guide's picture: where the files are, why there, how to choose another
// folder. Qt rich text.
QString DataFolderNote(const std::filesystem::path& data_folder);

}  // namespace pannellonistica
