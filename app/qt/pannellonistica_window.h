// pannellonistica, the data-entry window: binds Qt widgets to PannellonisticaForm. Holds no
// behaviour of its own beyond placing the widgets and forwarding their events.
#pragma once

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <array>
#include <filesystem>

#include "app/billboard_generator.h"
#include "app/form_layout.h"
#include "app/message_boxes.h"
#include "app/pannellonistica_form.h"
#include "app/qt/field_edit.h"

namespace pannellonistica {

class PannellonisticaWindow : public QWidget {
 public:
  // Builds and loads the form from the data file in `folder`; message boxes go to `boxes`.
  // "&Stampa" prints the billboard on `billboard` and hands it to `viewer`.
  PannellonisticaWindow(const std::filesystem::path& folder, MessageBoxes& boxes,
                        BillboardPaths billboard, DocumentViewer& viewer);

  PannellonisticaForm& Form() { return form_; }
  FieldEdit& Field(int index) { return *fields_[static_cast<size_t>(index)]; }
  QRadioButton& Option(int index) { return *options_[static_cast<size_t>(index)]; }
  QLabel& Picture(int index) { return *pictures_[static_cast<size_t>(index)]; }
  QLabel& Caption(int index) { return *captions_[static_cast<size_t>(index)]; }
  QPushButton& Button(int index) { return *buttons_[static_cast<size_t>(index)]; }
  QScrollBar& ScrollBar() { return *scroll_bar_; }
  QWidget& Panel() { return *panel_; }

 protected:
  // The wheel anywhere on the window turns the scroll bar.
  void wheelEvent(QWheelEvent* event) override;

 private:
  void BuildPanel();
  void BuildButtons();
  void OrderFocus();
  void ShowOption();
  void Scroll(int value);
  void ShowInFrame(const QWidget& control);
  void Save();
  void Print();
  void ShowHelp();

  PannellonisticaForm form_;
  MessageBoxes& boxes_;
  BillboardPaths billboard_;
  DocumentViewer& viewer_;
  QFrame* frame_ = nullptr;
  QWidget* panel_ = nullptr;
  QScrollBar* scroll_bar_ = nullptr;
  QButtonGroup* option_group_ = nullptr;
  std::array<FieldEdit*, kFieldCount> fields_{};
  std::array<QLabel*, kFieldCount> captions_{};
  std::array<QRadioButton*, 3> options_{};
  std::array<QLabel*, 3> pictures_{};
  std::array<QPushButton*, 3> buttons_{};
  QTimer start_timer_;
};

}  // namespace pannellonistica
