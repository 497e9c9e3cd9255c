#include "ui/CalibrationInputsWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/CoreText.h"
#include "ui/GridView.h"
#include "ui/ToolTips.h"

namespace {

// The herd summary's fields by entry, named as the main window's fields.
constexpr const char* kFieldNames[] = {
    "", "startWeight", "startAge", "finalWeight", "totalFeedIntake", "finalAge"};

}  // namespace

CalibrationInputsWindow::CalibrationInputsWindow(CalibrationInputsForm& form,
                                                 Dialogs& dialogs,
                                                 QWidget* parent)
    : SecondaryWindow(parent), form_(form) {
  setObjectName(QStringLiteral("CalibrationInputsWindow"));
  setWindowTitle(FromCoreText(CalibrationInputsForm::kCaption));

  table_ = new GridView(this);
  table_->setObjectName(QStringLiteral("weighingsTable"));
  table_->Bind(form_.weighingsTable, dialogs);
  table_->SetPopupHook(
      [this](PopupAction action) { Run([this, action] { form_.Popup(action); }); });

  // The summary is what the table gives; Continue Calibration rewrites it.
  auto* summary = new QFormLayout;
  for (int k = 1; k <= kHerdInputs; ++k) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(kFieldNames[k]));
    field->setReadOnly(true);
    captions_[k] = new QLabel(this);
    fields_[k] = field;
    summary->addRow(captions_[k], field);
  }

  thorough_ = new QCheckBox(FromCoreText(form_.thoroughSearch.caption), this);
  thorough_->setObjectName(QStringLiteral("thoroughSearch"));
  thorough_->setToolTip(FromCoreText(CalibrationInputsForm::kThoroughTip));
  connect(thorough_, &QCheckBox::clicked, this, [this](bool ticked) {
    form_.thoroughSearch.checked = ticked;
  });

  working_ = AddLabel("working", CalibrationInputsForm::kWorkingCaption);
  QFont bold = working_->font();
  bold.setBold(true);
  working_->setFont(bold);
  progress_ = AddLabel("progress");
  continue_ = AddButton(
      "ContinueCalibration", CalibrationInputsForm::kContinueCaption, [this] { Continue(); });
  cancel_ = AddButton("Cancel", CalibrationInputsForm::kCancelCaption, [this] { form_.Cancel(); });

  auto* side = new QVBoxLayout;
  side->addLayout(summary);
  side->addWidget(AddLabel("ContinueNote", CalibrationInputsForm::kContinueNote));
  side->addWidget(AddLabel("TimeNote", CalibrationInputsForm::kTimeNote));
  side->addStretch();
  side->addWidget(thorough_);
  side->addWidget(working_);
  side->addWidget(progress_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(continue_);
  buttons->addWidget(cancel_);
  side->addLayout(buttons);

  auto* body = new QHBoxLayout;
  body->addWidget(table_, 1);
  body->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(AddLabel("Instruction", CalibrationInputsForm::kInstruction));
  layout->addLayout(body, 1);
  layout->addWidget(Result(dialogs));
  resize(900, 640);

  form_.onProgress = [this](long growthRuns, double bestFit) { ShowProgress(growthRuns, bestFit); };
  form_.progressEvery = kProgressEvery;
}

void CalibrationInputsWindow::Refresh() {
  for (int k = 1; k <= kHerdInputs; ++k) {
    const TextBox& box = form_.herdFields[k];
    captions_[k]->setText(FromCoreText(box.caption));
    fields_[k]->setText(FromCoreText(box.text));
    ShowToolTip(*fields_[k], box.toolTip);
  }
  thorough_->setChecked(form_.thoroughSearch.checked);
  thorough_->setEnabled(!running_);
  result_->setVisible(form_.resultShown);
  weighings_->FitColumns();
  stages_->FitColumns();
  working_->setVisible(form_.working);
  progress_->setVisible(running_);
  continue_->setEnabled(!running_);
  cancel_->setVisible(running_);
}

// The fit runs inside this click; the form's reports keep the window alive.
// The window then shows the fit's result, unless the user closed it meanwhile.
void CalibrationInputsWindow::Continue() {
  if (running_) return;
  closeAsked_ = false;
  SetRunning(true);
  form_.ContinueCalibration();
  SetRunning(false);
  if (closeAsked_) close();
}

// After a fit: each weighing against the fitted curve's run, and the classic
// and thorough stages side by side.
QWidget* CalibrationInputsWindow::Result(Dialogs& dialogs) {
  result_ = new QWidget(this);
  auto* layout = new QVBoxLayout(result_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(AddLabel("ResultCaption", CalibrationInputsForm::kResultCaption));
  weighings_ = new GridView(result_);
  weighings_->setObjectName(QStringLiteral("weighingFitTable"));
  weighings_->Bind(form_.weighingFitTable, dialogs);
  stages_ = new GridView(result_);
  stages_->setObjectName(QStringLiteral("stagesTable"));
  stages_->Bind(form_.stagesTable, dialogs);
  for (GridView* view : {weighings_, stages_}) {
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(view);
  }
  stages_->setFixedHeight(4 * stages_->verticalHeader()->defaultSectionSize());
  return result_;
}

void CalibrationInputsWindow::SetRunning(bool running) {
  running_ = running;
  if (running) progress_->clear();
  Refresh();
  emit RunningChanged(running);
}

void CalibrationInputsWindow::ShowProgress(long growthRuns, double bestFit) {
  progress_->setText(FromCoreText(form_.ProgressText(growthRuns, bestFit)));
  Refresh();
  emit Progressed(growthRuns, bestFit);
  // Paints the label and lets "Cancel" through.
  QCoreApplication::processEvents();
}

void CalibrationInputsWindow::closeEvent(QCloseEvent* event) {
  if (running_) {
    form_.Cancel();
    closeAsked_ = true;
    event->ignore();
    return;
  }
  SecondaryWindow::closeEvent(event);
}
