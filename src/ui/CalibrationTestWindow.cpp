#include "ui/CalibrationTestWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/CoreText.h"
#include "ui/GridView.h"

CalibrationTestWindow::CalibrationTestWindow(CalibrationTestForm& form,
                                             Dialogs& dialogs,
                                             QWidget* parent)
    : SecondaryWindow(parent), form_(form) {
  setObjectName(QStringLiteral("CalibrationTestWindow"));
  setWindowTitle(FromCoreText(CalibrationTestForm::kCaption));

  auto* table = new GridView(this);
  table->setObjectName(QStringLiteral("trialsTable"));
  table->Bind(form_.trialsTable, dialogs);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AddButton(
      "scoreTrials", CalibrationTestForm::kScoreCaption, [this] { form_.ScoreTrials(); }));
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table, 1);
  layout->addLayout(buttons);
  resize(900, 360);
}
