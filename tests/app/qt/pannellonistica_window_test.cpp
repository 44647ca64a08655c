#include "app/qt/pannellonistica_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QWheelEvent>

#include "tests/app/data_file_helpers.h"
#include "tests/app/fake_message_boxes.h"

namespace pannellonistica {
namespace {

using testing::FakeMessageBoxes;
using testing::ReadBytes;
using testing::Record;
using testing::ScratchFolder;
using testing::WriteBytes;

QColor Background(const QWidget& field) {
  return field.palette().color(QPalette::Base);
}

// Types any text, one key event per character (QTest::keyClicks knows only ASCII keys).
void Type(QWidget& field, const QString& text) {
  for (const QChar character : text) {
    QTest::sendKeyEvent(QTest::Click, &field, Qt::Key_unknown, QString(character), Qt::NoModifier);
  }
}

// Counts the billboards it is asked to open instead of starting a viewer.
class CountingViewer : public DocumentViewer {
 public:
  void Open(const std::filesystem::path&) override { ++opened; }
  int opened = 0;
};

class WindowTest : public ::testing::Test {
 protected:
  // Opens the window on the data file `bytes` and waits for the start-up focus.
  PannellonisticaWindow& Open(const std::string& bytes = "") {
    if (!bytes.empty()) WriteBytes(folder_.DataFile(), bytes);
    window_ = std::make_unique<PannellonisticaWindow>(folder_.path(), boxes_, Billboard(), viewer_);
    window_->show();
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window_->Field(0).hasFocus(); }));
    return *window_;
  }
  void Focus(int index) {
    window_->Field(index).setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window_->Field(index).hasFocus(); }));
  }

  BillboardPaths Billboard() const {
    return {folder_.DataFile(), PAGORA_BILLBOARD_PICTURES, folder_.path() / "pannellone.pdf"};
  }

  ScratchFolder folder_;
  FakeMessageBoxes boxes_;
  CountingViewer viewer_;
  std::unique_ptr<PannellonisticaWindow> window_;
};

TEST_F(WindowTest, StampaPrintsTheSavedBillboardAndOpensItOnce) {
  PannellonisticaWindow& window = Open(Record("PANNELLONE_INDIRIZZO_CONDOMINIO", "Via Roma 1") +
                                       Record("PANNELLONE_TIPO_CENTRO", "CSU"));
  const std::string saved = ReadBytes(folder_.DataFile());
  QTest::mouseClick(&window.Button(1), Qt::LeftButton);
  EXPECT_EQ(viewer_.opened, 1);
  EXPECT_TRUE(boxes_.shown.empty());
  const std::string pdf = ReadBytes(folder_.path() / "pannellone.pdf");
  EXPECT_EQ(pdf.substr(0, 8), "%PDF-1.3");
  EXPECT_NE(pdf.find("/P -60"), std::string::npos);
  EXPECT_EQ(ReadBytes(folder_.DataFile()), saved);  // printing never writes the data file
}

TEST_F(WindowTest, StartsWithTheFirstFieldFocusedAndSelected) {
  PannellonisticaWindow& window = Open(Record("PANNELLONE_INDIRIZZO_CONDOMINIO", "Via Roma 1") +
                                       Record("PANNELLONE_TIPO_CENTRO", "qp") +
                                       Record("PANNELLONE_DATA_FINE_LAVORI", "20090630"));
  EXPECT_EQ(window.windowTitle(), "Pannellonistica");
  EXPECT_EQ(window.Field(0).selectedText(), "Via Roma 1");
  EXPECT_EQ(Background(window.Field(0)), QColor(192, 255, 255));
  EXPECT_EQ(window.Field(4).text(), "gg/mm/aaaa");
  EXPECT_EQ(window.Field(5).text(), "30/06/2009");
  EXPECT_TRUE(window.Option(2).isChecked());
  EXPECT_TRUE(window.Picture(2).isVisible());
  EXPECT_FALSE(window.Picture(0).isVisible());
  EXPECT_EQ(window.Picture(1).pos(), window.Picture(0).pos());
  EXPECT_EQ(window.Caption(7).palette().color(QPalette::Window), QColor(247, 18, 13));
  EXPECT_EQ(window.Caption(7).text(), "Direttore dei lavori");
  EXPECT_TRUE(window.Button(1).isEnabled());
  EXPECT_EQ(window.Button(0).text(), "&Salva");
}

TEST_F(WindowTest, TypingADateAddsTheSlashes) {
  PannellonisticaWindow& window = Open();
  Focus(4);
  EXPECT_EQ(window.Field(4).text(), "");  // the placeholder is cleared on entry
  QTest::keyClicks(&window.Field(4), "12032008");
  EXPECT_EQ(window.Field(4).text(), "12/03/2008");
  QTest::keyClicks(&window.Field(4), "9");
  EXPECT_EQ(window.Field(4).text(), "12/03/2008");
}

TEST_F(WindowTest, EnterMovesTheFocusAsTab) {
  PannellonisticaWindow& window = Open();
  Focus(3);
  QTest::keyClick(&window.Field(3), Qt::Key_Return);
  EXPECT_TRUE(window.Field(8).hasFocus());
  QTest::keyClick(&window.Field(8), Qt::Key_Enter);
  EXPECT_TRUE(window.Field(4).hasFocus());
  EXPECT_EQ(Background(window.Field(4)), QColor(192, 255, 255));
  EXPECT_EQ(Background(window.Field(8)), QColor(Qt::white));
  EXPECT_EQ(Background(window.Field(3)), QColor(Qt::white));
}

TEST_F(WindowTest, CharactersOutsideTheCodePageAreDroppedWhenTypedOrPasted) {
  PannellonisticaWindow& window = Open();
  Type(window.Field(0), QString::fromUtf8("Città €5 Ω"));
  EXPECT_EQ(window.Field(0).text(), QString::fromUtf8("Città €5 "));
  QApplication::clipboard()->setText(QString::fromUtf8("ΑΒ è"));
  window.Field(0).paste();
  EXPECT_EQ(window.Field(0).text(), QString::fromUtf8("Città €5  è"));
}

TEST_F(WindowTest, SaveWithYesWritesTheFile) {
  PannellonisticaWindow& window = Open(Record("ESTRANEA", "resta"));
  Type(window.Field(0), QString::fromUtf8("Via Piè 3"));
  QTest::mouseClick(&window.Option(0), Qt::LeftButton);
  EXPECT_TRUE(window.Picture(0).isVisible());
  Focus(4);
  QTest::keyClicks(&window.Field(4), "01092008");
  QTest::mouseClick(&window.Button(0), Qt::LeftButton);
  const std::string bytes = ReadBytes(folder_.DataFile());
  ASSERT_EQ(bytes.size(), 15u * 510);
  EXPECT_EQ(bytes.substr(0, 510), Record("ESTRANEA", "resta"));
  EXPECT_EQ(bytes.substr(510, 510), Record("PANNELLONE_TIPO_CENTRO", "CSU"));
  EXPECT_EQ(bytes.substr(1020, 510), Record("PANNELLONE_INDIRIZZO_CONDOMINIO", "Via Pi\xE8 3"));
  EXPECT_EQ(bytes.substr(6 * 510, 510), Record("PANNELLONE_DATA_INIZIO_LAVORI", "20080901"));
  EXPECT_EQ(bytes.substr(7 * 510, 510), Record("PANNELLONE_DATA_FINE_LAVORI", "0"));
}

TEST_F(WindowTest, ARefusedDateLeavesTheFileUntouched) {
  const std::string before = Record("PANNELLONE_DATA_INIZIO_LAVORI", "20080101");
  PannellonisticaWindow& window = Open(before);
  Focus(5);
  QTest::keyClicks(&window.Field(5), "31122007");
  QTest::mouseClick(&window.Button(0), Qt::LeftButton);
  EXPECT_EQ(boxes_.shown.back(),
            "Pannellonistica: La data fine lavori non può essere antecedente quella di inizio!");
  EXPECT_EQ(ReadBytes(folder_.DataFile()), before);
}

TEST_F(WindowTest, ScrollBarMovesThePanel) {
  PannellonisticaWindow& window = Open();
  window.ScrollBar().setValue(0);
  EXPECT_EQ(window.Panel().y(), -467);  // -7000 twips
  window.ScrollBar().setValue(32767);
  EXPECT_EQ(window.Panel().y(), 0);
  QWheelEvent down(QPointF(5, 5), window.Field(0).mapToGlobal(QPointF(5, 5)), QPoint(),
                   QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&window, &down);  // as the wheel over a field reaches the window
  EXPECT_LT(window.ScrollBar().value(), 32767);
  EXPECT_LT(window.Panel().y(), 0);
  Focus(12);  // a field below the frame scrolls into view
  const int bottom = window.Field(12).geometry().bottom() + window.Panel().y();
  EXPECT_LE(bottom, 533);
}

}  // namespace
}  // namespace pannellonistica
