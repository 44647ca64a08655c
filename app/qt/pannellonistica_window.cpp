#include "app/qt/pannellonistica_window.h"

#include <QApplication>
#include <QWheelEvent>

#include "app/qt/cp1252_text.h"
#include "app/qt/help_window.h"
#include "app/qt/window_helpers.h"
#include "app/tab_order.h"

namespace pannellonistica {
namespace {

// The window's frame, scroll bar and buttons, in twips on the window.
constexpr int kFrameLeft = 120;
constexpr int kFrameTop = 120;
constexpr int kFrameWidth = 9600;
constexpr int kScrollBarWidth = 255;
constexpr int kButtonTop = kFrameTop + kFrameHeight + 240;
constexpr int kButtonWidth = 1500;
constexpr int kButtonHeight = 405;
constexpr int kWindowWidth = kFrameLeft + kFrameWidth + kScrollBarWidth + 120;
constexpr int kWindowHeight = kButtonTop + kButtonHeight + 240;
// The site class pictures, beside the option group.
constexpr int kPictureLeft = 5280;
constexpr int kPictureTop = 4440;
constexpr int kPictureWidth = 3450;
constexpr int kPictureHeight = 2250;
constexpr std::array<const char*, 3> kPictureFiles = {":/csu.png", ":/csp.png", ":/qp.png"};

QString WhiteOn(const char* background) {
  return QStringLiteral("color: white; background-color: %1;").arg(QLatin1String(background));
}

}  // namespace

PannellonisticaWindow::PannellonisticaWindow(const std::filesystem::path& folder,
                                             MessageBoxes& boxes, BillboardPaths billboard,
                                             DocumentViewer& viewer)
    : form_(folder, boxes), boxes_(boxes), billboard_(std::move(billboard)), viewer_(viewer) {
  setObjectName(QStringLiteral("pannellonistica"));
  setWindowTitle(FromUtf8(kWindowCaption));
  setFixedSize(TwipsRect(0, 0, kWindowWidth, kWindowHeight).size());
  BuildPanel();
  BuildButtons();
  // The form's load sequence.
  CentreOnScreen(*this);
  panel_->move(0, 0);
  OrderFocus();
  frame_->setStyleSheet(QStringLiteral("QFrame#Frame1 { background-color: white; }"));
  scroll_bar_->setRange(0, kScrollTop);
  // The top of the bar is the top of the range; a scroll bar's controls come inverted, and
  // with the inverted appearance they must not be, so that the wheel turned down goes down.
  scroll_bar_->setInvertedAppearance(true);
  scroll_bar_->setInvertedControls(false);
  scroll_bar_->setSingleStep(kScrollStep);
  scroll_bar_->setPageStep(kScrollStep);
  scroll_bar_->setValue(kScrollTop);
  for (QLabel* picture : pictures_) picture->move(pictures_[0]->pos());
  form_.carica_pannellonistica();
  for (FieldEdit* field : fields_) field->Push();
  ShowOption();
  for (QLabel* caption : captions_) {
    QPalette colours = caption->palette();
    colours.setColor(QPalette::Window,
                     QColor(kCaptionRed.red, kCaptionRed.green, kCaptionRed.blue));
    colours.setColor(QPalette::WindowText, Qt::white);
    caption->setPalette(colours);
    caption->setAutoFillBackground(true);
    caption->setFont(QFont(QStringLiteral("Arial"), 8));
  }
  // A control reached with Tab or Enter below or above the visible frame scrolls into view.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now != nullptr && panel_->isAncestorOf(now)) ShowInFrame(*now);
  });
  start_timer_.setSingleShot(true);
  start_timer_.setInterval(1);
  connect(&start_timer_, &QTimer::timeout, this, [this] { FocusAndSelect(Field(0)); });
  start_timer_.start();
}

void PannellonisticaWindow::BuildPanel() {
  frame_ = new QFrame(this);
  frame_->setObjectName(QStringLiteral("Frame1"));
  frame_->setGeometry(TwipsRect(kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight));
  panel_ = new QWidget(frame_);
  panel_->setObjectName(QStringLiteral("Picture1"));
  panel_->setGeometry(TwipsRect(0, 0, kFrameWidth, kPanelHeight));
  scroll_bar_ = new QScrollBar(Qt::Vertical, this);
  scroll_bar_->setObjectName(QStringLiteral("VScroll1"));
  scroll_bar_->setGeometry(
      TwipsRect(kFrameLeft + kFrameWidth, kFrameTop, kScrollBarWidth, kFrameHeight));
  connect(scroll_bar_, &QScrollBar::valueChanged, this, &PannellonisticaWindow::Scroll);

  for (size_t i = 0; i < kTitleLines.size(); ++i) {
    auto* title = new QLabel(FromUtf8(kTitleLines[i]), panel_);
    title->setGeometry(TwipsRect(0, 360 + static_cast<int>(i) * 720, kFrameWidth, 600));
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("color: rgb(247, 18, 13); background: white; "
                                        "font-weight: bold; font-size: %1pt;")
                             .arg(i == 0 ? 20 : 14));
  }
  option_group_ = new QButtonGroup(this);
  for (size_t i = 0; i < kOptions.size(); ++i) {
    auto* option = new QRadioButton(FromUtf8(kOptions[i].caption), panel_);
    option->setObjectName(QStringLiteral("Option1_%1").arg(i));
    option->setGeometry(TwipsRect(kOptionLeft, kOptions[i].top, kFieldWidth, 435));
    option->setStyleSheet(WhiteOn("rgb(247, 18, 13)") +
                          QStringLiteral("font-family: Arial; font-weight: bold;"));
    option_group_->addButton(option, static_cast<int>(i));
    options_[i] = option;
    auto* picture = new QLabel(panel_);
    picture->setObjectName(QStringLiteral("Image1_%1").arg(i));
    picture->setGeometry(TwipsRect(kPictureLeft, kPictureTop, kPictureWidth, kPictureHeight));
    picture->setPixmap(QPixmap(QLatin1String(kPictureFiles[i])));
    picture->setScaledContents(true);
    pictures_[i] = picture;
  }
  connect(option_group_, &QButtonGroup::idClicked, this, [this](int index) {
    form_.ClickOption(index);
    ShowOption();
  });
  for (int i = 0; i < kFieldCount; ++i) {
    const FieldSpec& layout = kFields[static_cast<size_t>(i)];
    auto* caption = new QLabel(FromUtf8(layout.caption), panel_);
    caption->setObjectName(QStringLiteral("Label1_%1").arg(i));
    caption->setGeometry(TwipsRect(layout.left, layout.top - 300, kFieldWidth, 270));
    captions_[static_cast<size_t>(i)] = caption;
    auto* field = new FieldEdit(form_.Field(i), panel_);
    field->setObjectName(QStringLiteral("Text1_%1").arg(i));
    field->setGeometry(TwipsRect(layout.left, layout.top, kFieldWidth, kFieldHeight));
    fields_[static_cast<size_t>(i)] = field;
  }
}

void PannellonisticaWindow::BuildButtons() {
  for (size_t i = 0; i < kButtonCaptions.size(); ++i) {
    auto* button = new QPushButton(FromUtf8(kButtonCaptions[i]), this);
    button->setObjectName(QStringLiteral("Command1_%1").arg(i));
    button->setGeometry(TwipsRect(kFrameLeft + static_cast<int>(i) * (kButtonWidth + 240),
                                  kButtonTop, kButtonWidth, kButtonHeight));
    buttons_[i] = button;
  }
  connect(buttons_[0], &QPushButton::clicked, this, &PannellonisticaWindow::Save);
  connect(buttons_[1], &QPushButton::clicked, this, &PannellonisticaWindow::Print);
  connect(buttons_[2], &QPushButton::clicked, this, &PannellonisticaWindow::ShowHelp);
}

void PannellonisticaWindow::OrderFocus() {
  std::vector<TabStop> stops;
  std::vector<QWidget*> widgets;
  const auto add = [&](QWidget* widget, const QString& name) {
    const QRect place = widget->geometry();
    const QPoint container = widget->parentWidget()->pos();
    stops.push_back({name.toStdString(), place.top() * kTwipsPerPixel,
                     place.left() * kTwipsPerPixel,
                     widget->parentWidget() == this
                         ? std::nullopt
                         : std::optional(std::pair(container.y() * kTwipsPerPixel,
                                                   container.x() * kTwipsPerPixel))});
    widgets.push_back(widget);
  };
  for (size_t i = 0; i < options_.size(); ++i) {
    add(options_[i], QStringLiteral("Option1(%1)").arg(i));
  }
  for (size_t i = 0; i < fields_.size(); ++i) add(fields_[i], QStringLiteral("Text1(%1)").arg(i));
  QWidget* previous = nullptr;
  for (const size_t index : AutoTabOrder(stops)) {
    if (previous != nullptr) setTabOrder(previous, widgets[index]);
    previous = widgets[index];
  }
  for (QPushButton* button : buttons_) {  // the buttons are not ordered: they come after
    setTabOrder(previous, button);
    previous = button;
  }
}

void PannellonisticaWindow::ShowOption() {
  const int chosen = form_.SiteClass();
  if (chosen >= 0) options_[static_cast<size_t>(chosen)]->setChecked(true);
  for (size_t i = 0; i < pictures_.size(); ++i) {
    pictures_[i]->setVisible(form_.PictureVisible(static_cast<int>(i)));
  }
}

void PannellonisticaWindow::Scroll(int value) {
  panel_->move(0, TwipsToPixels(PanelTopForScroll(value)));
}

void PannellonisticaWindow::wheelEvent(QWheelEvent* event) {
  QCoreApplication::sendEvent(scroll_bar_, event);
}

void PannellonisticaWindow::ShowInFrame(const QWidget& control) {
  const QRect place = control.geometry();
  scroll_bar_->setValue(ScrollValueShowing(place.top() * kTwipsPerPixel,
                                           place.height() * kTwipsPerPixel, scroll_bar_->value()));
}

void PannellonisticaWindow::Save() {
  for (FieldEdit* field : fields_) field->Pull();
  form_.salva();
}

void PannellonisticaWindow::Print() {
  // The billboard is printed from the saved data, never from what the fields show.
  const BillboardOutcome outcome = BillboardGenerator(billboard_, &viewer_);
  if (outcome.printed) {
    if (outcome.missing_pictures.empty()) return;
    std::string text = "Il pannellone è stato stampato senza queste immagini:";
    for (const std::string& line : outcome.missing_pictures) text += "\n" + line;
    boxes_.Warn(std::string(kWindowCaption), text);
    return;
  }
  if (outcome.critical) {
    boxes_.Fail(std::string(kWindowCaption), outcome.message);
  } else {
    boxes_.Notify(std::string(kWindowCaption), outcome.message);
  }
}

void PannellonisticaWindow::ShowHelp() {
  HelpWindow help(billboard_.data_file.parent_path(), this);
  help.exec();
}

}  // namespace pannellonistica
