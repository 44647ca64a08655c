#include "app/qt/desktop_viewer.h"

#include <QProcess>

#include "app/form_layout.h"

namespace pannellonistica {

DesktopViewer::DesktopViewer(MessageBoxes& boxes, QString opener)
    : boxes_(boxes), opener_(std::move(opener)) {}

void DesktopViewer::Open(const std::filesystem::path& billboard) {
  // The opener runs on its own while the window goes on; its outcome arrives as a signal.
  // xdg-open exits once the viewer has started (or, without a desktop, when the viewer
  // closes), non-zero when no application could open the file. A viewer still open when
  // the program ends outlives it: only the opener is stopped.
  auto* opener = new QProcess(this);
  const std::string path = billboard.string();
  const auto tell = [this, path] {
    boxes_.Notify(std::string(kWindowCaption), NoViewerMessage(path));
  };
  connect(opener, &QProcess::errorOccurred, this, [opener, tell](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;
    tell();
    opener->deleteLater();
  });
  connect(opener, &QProcess::finished, this,
          [opener, tell](int exit_code, QProcess::ExitStatus status) {
            if (status != QProcess::NormalExit || exit_code != 0) tell();
            opener->deleteLater();
          });
  opener->setProcessChannelMode(QProcess::ForwardedChannels);
  opener->start(opener_, {QString::fromStdString(path)});
}

}  // namespace pannellonistica
