#include "app/qt/desktop_viewer.h"

#include <gtest/gtest.h>

#include <QTest>

#include "app/qt/help_window.h"
#include "tests/app/fake_message_boxes.h"

namespace pannellonistica {
namespace {

using testing::FakeMessageBoxes;

// The opener's outcome arrives later; waits for it with the event loop running.
void WaitForOpener(DesktopViewer& viewer) {
  EXPECT_TRUE(QTest::qWaitFor([&] { return viewer.children().isEmpty(); }, 10000));
}

TEST(DesktopViewerTest, WhenNoViewerOpensTheBillboardTheUserLearnsWhereItIs) {
  const struct {
    const char* opener;
    bool told;
  } cases[] = {
      {"false", true},                                // xdg-open's "no application" exit
      {"/nonexistent/pannellonistica-opener", true},  // no opener at all
      {"true", false},                                // a viewer took the file
  };
  for (const auto& c : cases) {
    FakeMessageBoxes boxes;
    DesktopViewer viewer(boxes, QString::fromUtf8(c.opener));
    viewer.Open("/tmp/cartella con spazi/pannellone.pdf");
    WaitForOpener(viewer);
    if (!c.told) {
      EXPECT_TRUE(boxes.shown.empty()) << c.opener;
      continue;
    }
    ASSERT_EQ(boxes.shown.size(), 1u) << c.opener;
    EXPECT_EQ(boxes.shown[0],
              "Pannellonistica: " + NoViewerMessage("/tmp/cartella con spazi/pannellone.pdf"));
    EXPECT_NE(boxes.shown[0].find("scritto in:\n/tmp/cartella con spazi/pannellone.pdf"),
              std::string::npos);
  }
}

TEST(HelpWindowTest, TheNoteNamesTheDataFolderAndTheOption) {
  const QString note = DataFolderNote("/home/anna/.local/share/pannellonistica");
  EXPECT_TRUE(note.contains(QStringLiteral("/home/anna/.local/share/pannellonistica")));
  EXPECT_TRUE(note.contains(QStringLiteral("dati2.dat")));
  EXPECT_TRUE(note.contains(QStringLiteral("--cartella")));
  EXPECT_TRUE(note.contains(QStringLiteral("sola lettura")) ||
              note.contains(QStringLiteral("non vi può scrivere")));
}

}  // namespace
}  // namespace pannellonistica
