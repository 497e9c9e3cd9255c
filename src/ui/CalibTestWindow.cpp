#include "ui/CalibTestWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/CoreText.h"
#include "ui/GridView.h"

CalibTestWindow::CalibTestWindow(frmCalibTest& form, Dialogs& dialogs, QWidget* parent)
    : SecondaryWindow(parent), form_(form) {
  setObjectName(QStringLiteral("frmCalibTest"));
  setWindowTitle(FromCoreText(frmCalibTest::kCaption));

  auto* table = new GridView(this);
  table->setObjectName(QStringLiteral("GridTest"));
  table->Bind(form_.GridTest, dialogs);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(
      AddButton("Command1", frmCalibTest::kScoreCaption, [this] { form_.Command1_Click(); }));
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table, 1);
  layout->addLayout(buttons);
  resize(900, 360);
}
