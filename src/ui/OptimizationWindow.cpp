#include "ui/OptimizationWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>
#include <utility>

#include "app/AfrmMain.h"
#include "ui/CoreText.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/OptReportWindow.h"

namespace {

constexpr int kRepaintMs = 100;  // a run repaints at most this often

QColor ColorOf(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

void ShowText(QLineEdit* field, const std::string& text) {
  const QString shown = FromCoreText(text);
  if (field->text() != shown) field->setText(shown);
}

void ShowButton(QPushButton* button, const CommandButton& state) {
  button->setText(FromCoreText(state.caption));
  button->setToolTip(FromCoreText(state.toolTip));
  button->setVisible(state.visible);
  button->setEnabled(state.enabled);
  QPalette palette = button->palette();
  palette.setColor(QPalette::Active, QPalette::Button, ColorOf(state.backColor));
  palette.setColor(QPalette::Inactive, QPalette::Button, ColorOf(state.backColor));
  button->setPalette(palette);
}

// While a run holds the thread, the user's input reaches only the Cancel
// button and a message box the run shows; a window the user closes stays
// open and the run is cancelled instead.
class RunInputFilter : public QObject {
 public:
  RunInputFilter(QWidget* cancel, std::function<void()> cancelRun)
      : cancel_(cancel), cancelRun_(std::move(cancelRun)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (QApplication::activeModalWidget()) return false;
    switch (event->type()) {
      case QEvent::Close:
        if (!watched->isWidgetType()) return false;
        event->ignore();
        cancelRun_();
        return true;
      case QEvent::Shortcut:
        return true;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Wheel:
      case QEvent::ContextMenu: {
        // Input reaches a window's own object first; only widgets are held.
        if (!watched->isWidgetType()) return false;
        const auto* widget = static_cast<QWidget*>(watched);
        return widget != cancel_ && !cancel_->isAncestorOf(widget);
      }
      default:
        return false;
    }
  }

 private:
  QWidget* cancel_;
  std::function<void()> cancelRun_;
};

}  // namespace

OptimizationWindow::OptimizationWindow(
    frmOpt& form, AfrmMain& mainForm, OptReport& report, Dialogs& dialogs, QWidget* parent)
    : SecondaryWindow(parent), form_(form), mainForm_(mainForm) {
  setObjectName(QStringLiteral("frmOpt"));
  setWindowTitle(FromCoreText(frmOpt::kCaption));
  report_ = new OptReportWindow(report, dialogs, this);

  table_ = new GridView(this);
  table_->setObjectName(QStringLiteral("GridOpt"));
  table_->Bind(form_.GridOpt, dialogs);
  connect(table_->Model(), &GridModel::LayoutHintsChanged, table_, [this] {
    WidenColumnsToText(*table_);
  });
  table_->Model()->SetAfterEdit([this](int row, int col) {
    form_.GridOpt_AfterEdit(row, col);
    Refresh();
  });
  table_->SetActivateHook([this](Grid& grid) { form_.ActiveGrid = &grid; });
  table_->SetPopupHook(
      [this](PopupAction action) { Run([this, action] { form_.Popup(action); }); });
  ForwardKeys(*table_,
              [this](Key key, KeyModifiers modifiers) { return form_.KeyDown(key, modifiers); });

  auto* middle = new QHBoxLayout;
  middle->addWidget(table_, 1);
  middle->addWidget(Commands());

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Fields());
  layout->addWidget(AddLabel("UncheckNote", frmOpt::kUncheckNote));
  layout->addLayout(middle, 1);
  layout->addWidget(AddLabel("RestrictNote", frmOpt::kRestrictNote));
  layout->addWidget(Progress(dialogs));
  resize(900, 720);

  form_.Progress = [this] { ShowProgress(); };
}

OptimizationWindow::~OptimizationWindow() { form_.Progress = nullptr; }

QLineEdit* OptimizationWindow::AddField(std::string& text, const char* name) {
  auto* field = new QLineEdit(this);
  field->setObjectName(QString::fromLatin1(name));
  connect(field, &QLineEdit::textEdited, this, [&text](const QString& typed) {
    text = ToCoreText(typed);
  });
  return field;
}

QLineEdit* OptimizationWindow::AddResult(const char* name) {
  auto* field = new QLineEdit(this);
  field->setObjectName(QString::fromLatin1(name));
  field->setReadOnly(true);
  return field;
}

QCheckBox* OptimizationWindow::AddCheck(const OptionButton& box, const char* name) {
  auto* check = new QCheckBox(FromCoreText(box.caption), this);
  check->setObjectName(QString::fromLatin1(name));
  return check;
}

// "Location Name", "Target Weight" and "No. of Diets" in one row.
QWidget* OptimizationWindow::Fields() {
  auto* panel = new QWidget(this);
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(0, 0, 0, 0);
  location_ = AddField(form_.LocationName, "LocationName");
  target_ = AddField(form_.TargetWeight, "TargetWeight");
  diets_ = AddField(form_.TextOptDiet, "TextOptDiet");
  const std::pair<std::string_view, QLineEdit*> fields[] = {{frmOpt::kLocationCaption, location_},
                                                            {frmOpt::kTargetCaption, target_},
                                                            {frmOpt::kDietsCaption, diets_}};
  for (const auto& [caption, field] : fields) {
    row->addWidget(new QLabel(FromCoreText(caption), panel));
    row->addWidget(field, field == location_ ? 2 : 1);
  }
  return panel;
}

// The check boxes and commands beside the table, the "WORKING..." label and
// the Cancel button of a run below them.
QWidget* OptimizationWindow::Commands() {
  auto* panel = new QWidget(this);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  feedOnly_ = AddCheck(form_.CheckFeedOnly, "CheckFeedOnly");
  connect(feedOnly_, &QCheckBox::clicked, this, [this](bool ticked) {
    Run([this, ticked] { form_.CheckFeedOnly_Click(ticked); });
  });
  carcass_ = AddCheck(form_.CheckCarcass, "CheckCarcass");
  marrowind_ = AddCheck(form_.CheckMarrowind, "CheckMarrowind");
  for (QCheckBox* check : {feedOnly_, carcass_, marrowind_}) column->addWidget(check);

  runOpt_ = AddButton("CmdRunOpt", form_.CmdRunOpt.caption, [this] { RunOptimization(); });
  view_ = AddButton("CmdView", form_.CmdView.caption, [this] {
    if (form_.CmdView_Click()) report_->Open();
  });
  transfer_ =
      AddButton("CmdTransfer", form_.CmdTransfer.caption, [this] { form_.CmdTransfer_Click(); });
  addMinMax_ =
      AddButton("CmdAddMinMax", form_.CmdAddMinMax.caption, [this] { form_.CmdAddMinMax_Click(); });
  saveOpt_ =
      AddButton("CmdSaveOpt", form_.CmdSaveOpt.caption, [this] { form_.CmdSaveOpt_Click(); });
  openOpt_ =
      AddButton("CmdOpenOpt", form_.CmdOpenOpt.caption, [this] { form_.CmdOpenOpt_Click(); });
  for (QPushButton* button : {runOpt_, view_, transfer_, addMinMax_, saveOpt_, openOpt_}) {
    button->setAutoFillBackground(true);
    column->addWidget(button);
  }
  column->addStretch();
  working_ = AddLabel("Working", frmOpt::kWorkingCaption);
  working_->setAlignment(Qt::AlignCenter);
  column->addWidget(working_);
  cancel_ = AddButton("Cancel", frmOpt::kCancelCaption, [this] { form_.Cancel(); });
  column->addWidget(cancel_);
  return panel;
}

// The costs per pig the main form keeps for a run, the best point's diets
// and the evaluations so far.
QWidget* OptimizationWindow::Progress(Dialogs& dialogs) {
  auto* panel = new QWidget(this);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  start_ = AddResult("TextOptStart");
  best_ = AddResult("TextOptBest");
  evaluations_ = AddResult("Evaluations");
  const std::pair<std::string_view, QLineEdit*> results[] = {
      {AfrmMain::kOptStartCaption, start_},
      {AfrmMain::kOptBestCaption, best_},
      {frmOpt::kEvaluationsCaption, evaluations_}};
  int col = 0;
  for (const auto& [caption, field] : results) {
    grid->addWidget(new QLabel(FromCoreText(caption), panel), 0, col++);
    grid->addWidget(field, 0, col++);
  }
  bestDiets_ = new GridView(panel);
  bestDiets_->setObjectName(QStringLiteral("GridOptBest"));
  bestDiets_->Bind(mainForm_.GridOptBest, dialogs);
  connect(bestDiets_->Model(), &GridModel::LayoutHintsChanged, bestDiets_, [this] {
    WidenColumnsToText(*bestDiets_);
  });
  bestDiets_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  bestDiets_->setFixedHeight(5 * bestDiets_->verticalHeader()->defaultSectionSize());
  grid->addWidget(bestDiets_, 1, 0, 1, col);
  return panel;
}

void OptimizationWindow::RunOptimization() {
  RunInputFilter hold(cancel_, [this] { form_.Cancel(); });
  qApp->installEventFilter(&hold);
  sinceRepaint_.invalidate();
  runShown_ = false;
  form_.CmdRunOpt_Click();
  qApp->removeEventFilter(&hold);
}

// After every evaluation of a run: at most every kRepaintMs the window shows
// the progress and the program handles its events (Cancel among them).
void OptimizationWindow::ShowProgress() {
  if (sinceRepaint_.isValid() && sinceRepaint_.elapsed() < kRepaintMs) return;
  sinceRepaint_.start();
  Refresh();
  // Once per run the main window shows its run commands held.
  if (!std::exchange(runShown_, true)) emit Changed();
  emit Progressed(form_.Evaluations);
  QCoreApplication::processEvents();
}

void OptimizationWindow::Refresh() {
  const bool running = form_.Running;
  ShowText(location_, form_.LocationName);
  ShowText(target_, form_.TargetWeight);
  ShowText(diets_, form_.TextOptDiet);
  for (QLineEdit* field : {location_, target_, diets_}) field->setReadOnly(running);
  table_->setEnabled(!running);

  feedOnly_->setChecked(form_.CheckFeedOnly.checked);
  feedOnly_->setEnabled(form_.CheckFeedOnlyEnabled);
  carcass_->setChecked(form_.CheckCarcass.checked);
  carcass_->setVisible(form_.CheckCarcassVisible);
  marrowind_->setChecked(form_.CheckMarrowind.checked);
  marrowind_->setEnabled(form_.CheckMarrowindEnabled);

  ShowButton(runOpt_, form_.CmdRunOpt);
  ShowButton(view_, form_.CmdView);
  ShowButton(transfer_, form_.CmdTransfer);
  ShowButton(addMinMax_, form_.CmdAddMinMax);
  ShowButton(saveOpt_, form_.CmdSaveOpt);
  ShowButton(openOpt_, form_.CmdOpenOpt);
  working_->setVisible(form_.WorkingVisible);
  cancel_->setVisible(running);

  ShowText(start_, mainForm_.TextOptStart.text);
  ShowText(best_, mainForm_.TextOptBest.text);
  evaluations_->setText(form_.Evaluations > 0 ? QString::number(form_.Evaluations) : QString());
  WidenColumnsToText(*table_);
  WidenColumnsToText(*bestDiets_);
}
