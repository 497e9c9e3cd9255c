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

#include "app/MainForm.h"
#include "ui/CoreText.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/OptimizationReportWindow.h"
#include "ui/ToolTips.h"

namespace {

constexpr int kRepaintMs = 100;  // a run repaints at most this often

QColor ColorOf(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

void ShowText(QLineEdit* field, const std::string& text) {
  const QString shown = FromCoreText(text);
  if (field->text() != shown) field->setText(shown);
}

void ShowButton(QPushButton* button, const CommandButton& state) {
  button->setText(FromCoreText(state.caption));
  ShowToolTip(*button, state.toolTip);
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

OptimizationWindow::OptimizationWindow(OptimizationForm& form,
                                       MainForm& mainForm,
                                       OptimizationReportForm& report,
                                       Dialogs& dialogs,
                                       QWidget* parent)
    : SecondaryWindow(parent), form_(form), mainForm_(mainForm) {
  setObjectName(QStringLiteral("OptimizationWindow"));
  setWindowTitle(FromCoreText(OptimizationForm::kCaption));
  report_ = new OptimizationReportWindow(report, dialogs, this);

  table_ = new GridView(this);
  table_->setObjectName(QStringLiteral("optimizationTable"));
  table_->Bind(form_.optimizationTable, dialogs);
  table_->Model()->SetAfterEdit([this](int row, int col) {
    form_.TableEdited(row, col);
    Refresh();
  });
  table_->SetActivateHook([this](Grid& grid) { form_.activeGrid = &grid; });
  table_->SetPopupHook(
      [this](PopupAction action) { Run([this, action] { form_.Popup(action); }); });
  ForwardKeys(*table_,
              [this](Key key, KeyModifiers modifiers) { return form_.KeyDown(key, modifiers); });

  auto* middle = new QHBoxLayout;
  middle->addWidget(table_, 1);
  middle->addWidget(Commands());

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Fields());
  layout->addWidget(AddLabel("UncheckNote", OptimizationForm::kUncheckNote));
  layout->addLayout(middle, 1);
  layout->addWidget(AddLabel("RestrictNote", OptimizationForm::kRestrictNote));
  layout->addWidget(AddLabel("LastDietNote", OptimizationForm::kLastDietNote));
  layout->addWidget(Progress(dialogs));
  resize(900, 720);

  form_.onProgress = [this] { ShowProgress(); };
}

OptimizationWindow::~OptimizationWindow() { form_.onProgress = nullptr; }

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
  location_ = AddField(form_.locationName, "locationName");
  target_ = AddField(form_.targetWeight, "targetWeight");
  diets_ = AddField(form_.dietCountText, "dietCountText");
  const std::pair<std::string_view, QLineEdit*> fields[] = {
      {OptimizationForm::kLocationCaption, location_},
      {OptimizationForm::kTargetCaption, target_},
      {OptimizationForm::kDietsCaption, diets_}};
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
  feedOnly_ = AddCheck(form_.feedWeightsOnly, "feedWeightsOnly");
  connect(feedOnly_, &QCheckBox::clicked, this, [this](bool ticked) {
    Run([this, ticked] { form_.FeedWeightsOnlyClicked(ticked); });
  });
  carcass_ = AddCheck(form_.setCarcass, "setCarcass");
  marrowind_ = AddCheck(form_.setMarrowind, "setMarrowind");
  thorough_ = AddCheck(form_.thoroughSearch, "thoroughSearch");
  thorough_->setToolTip(FromCoreText(OptimizationForm::kThoroughTip));
  connect(thorough_, &QCheckBox::clicked, this, [this](bool ticked) {
    form_.thoroughSearch.checked = ticked;
  });
  for (QCheckBox* check : {feedOnly_, carcass_, marrowind_, thorough_}) column->addWidget(check);

  runOpt_ =
      AddButton("runOptimization", form_.runOptimization.caption, [this] { RunOptimization(); });
  view_ = AddButton("viewOptimization", form_.viewOptimization.caption, [this] {
    if (form_.ViewOptimization()) report_->Open();
  });
  transfer_ = AddButton(
      "transferOptimum", form_.transferOptimum.caption, [this] { form_.TransferOptimum(); });
  addMinMax_ =
      AddButton("addMinMax", form_.addMinMax.caption, [this] { form_.AddMinMaxToCurrent(); });
  saveOpt_ = AddButton("saveTable", form_.saveTable.caption, [this] { form_.SaveTable(); });
  openOpt_ = AddButton("openTable", form_.openTable.caption, [this] { form_.OpenTable(); });
  for (QPushButton* button : {runOpt_, view_, transfer_, addMinMax_, saveOpt_, openOpt_}) {
    button->setAutoFillBackground(true);
    column->addWidget(button);
  }
  column->addStretch();
  working_ = AddLabel("working", OptimizationForm::kWorkingCaption);
  working_->setAlignment(Qt::AlignCenter);
  column->addWidget(working_);
  cancel_ = AddButton("Cancel", OptimizationForm::kCancelCaption, [this] { form_.Cancel(); });
  column->addWidget(cancel_);
  return panel;
}

// The costs per pig the main form keeps for a run, the best point's diets
// and the evaluations so far.
QWidget* OptimizationWindow::Progress(Dialogs& dialogs) {
  auto* panel = new QWidget(this);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  start_ = AddResult("optimizationStartCost");
  best_ = AddResult("optimizationBestCost");
  evaluations_ = AddResult("evaluationCount");
  const std::pair<std::string_view, QLineEdit*> results[] = {
      {MainForm::kOptStartCaption, start_},
      {MainForm::kOptBestCaption, best_},
      {OptimizationForm::kEvaluationsCaption, evaluations_}};
  int col = 0;
  for (const auto& [caption, field] : results) {
    grid->addWidget(new QLabel(FromCoreText(caption), panel), 0, col++);
    grid->addWidget(field, 0, col++);
  }
  bestDiets_ = new GridView(panel);
  bestDiets_->setObjectName(QStringLiteral("optimumDietsTable"));
  bestDiets_->Bind(mainForm_.optimumDietsTable, dialogs);
  bestDiets_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  bestDiets_->setFixedHeight(5 * bestDiets_->verticalHeader()->defaultSectionSize());
  grid->addWidget(bestDiets_, 1, 0, 1, col);
  // The classic and the thorough stage side by side when a run ends.
  stages_ = new GridView(panel);
  stages_->setObjectName(QStringLiteral("stagesTable"));
  stages_->Bind(form_.stagesTable, dialogs);
  stages_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  stages_->setFixedHeight(4 * stages_->verticalHeader()->defaultSectionSize());
  grid->addWidget(stages_, 2, 0, 1, col);
  return panel;
}

void OptimizationWindow::RunOptimization() {
  RunInputFilter hold(cancel_, [this] { form_.Cancel(); });
  qApp->installEventFilter(&hold);
  sinceRepaint_.invalidate();
  runShown_ = false;
  form_.Run();
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
  emit Progressed(form_.evaluationCount);
  QCoreApplication::processEvents();
}

void OptimizationWindow::Refresh() {
  const bool running = form_.runInProgress;
  ShowText(location_, form_.locationName);
  ShowText(target_, form_.targetWeight);
  ShowText(diets_, form_.dietCountText);
  for (QLineEdit* field : {location_, target_, diets_}) field->setReadOnly(running);
  table_->setEnabled(!running);

  feedOnly_->setChecked(form_.feedWeightsOnly.checked);
  feedOnly_->setEnabled(form_.feedWeightsOnlyEnabled);
  carcass_->setChecked(form_.setCarcass.checked);
  carcass_->setVisible(form_.setCarcassVisible);
  marrowind_->setChecked(form_.setMarrowind.checked);
  marrowind_->setEnabled(form_.setMarrowindEnabled);
  thorough_->setChecked(form_.thoroughSearch.checked);
  thorough_->setEnabled(!running);

  ShowButton(runOpt_, form_.runOptimization);
  ShowButton(view_, form_.viewOptimization);
  ShowButton(transfer_, form_.transferOptimum);
  ShowButton(addMinMax_, form_.addMinMax);
  ShowButton(saveOpt_, form_.saveTable);
  ShowButton(openOpt_, form_.openTable);
  working_->setVisible(form_.workingVisible);
  cancel_->setVisible(running);

  ShowText(start_, mainForm_.optimizationStartCost.text);
  ShowText(best_, mainForm_.optimizationBestCost.text);
  evaluations_->setText(form_.evaluationCount > 0 ? QString::number(form_.evaluationCount)
                                                  : QString());
  table_->FitColumns();
  bestDiets_->FitColumns();
  stages_->setVisible(form_.stagesShown);
  stages_->FitColumns();
}
