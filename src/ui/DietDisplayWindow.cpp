#include "ui/DietDisplayWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/CoreText.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"

DietDisplayWindow::DietDisplayWindow(DietDisplayForm& form, Dialogs& dialogs, QWidget* parent)
    : SecondaryWindow(parent), form_(form) {
  setObjectName(QStringLiteral("DietDisplayWindow"));

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("tabs"));
  tabs_->addTab(NutrientTab(dialogs), FromCoreText(DietDisplayForm::kNutrientTabCaption));
  tabs_->addTab(IngredientTab(dialogs), FromCoreText(DietDisplayForm::kIngredientTabCaption));
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) { form_.currentTab = tab; });

  // Both tabs: these act on the tab shown.
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AddButton(
      "openFeedFile", DietDisplayForm::kOpenFeedFileCaption, [this] { form_.OpenFeedFile(); }));
  buttons->addWidget(
      AddButton("saveAs", DietDisplayForm::kSaveAsCaption, [this] { form_.SaveAs(); }));
  QPushButton* clear = AddButton("clearMainDiets", DietDisplayForm::kClearMainDietsCaption, [this] {
    form_.ClearMainDiets();
  });
  clear->setToolTip(FromCoreText(DietDisplayForm::kClearTip));
  buttons->addWidget(clear);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);
  resize(1000, 600);
}

GridView* DietDisplayWindow::AddTable(Grid& grid, const char* name, Dialogs& dialogs) {
  auto* view = new GridView(this);
  view->setObjectName(QString::fromLatin1(name));
  view->Bind(grid, dialogs);
  view->SetPopupCaption(PopupAction::Clear, FromCoreText(DietDisplayForm::kClearGridCaption));
  view->SetPopupCaption(PopupAction::Paste, FromCoreText(DietDisplayForm::kPasteCaption));
  view->SetPopupHook([this, &grid](PopupAction action) {
    Run([this, &grid, action] { form_.Popup(grid, action); });
  });
  return view;
}

QWidget* DietDisplayWindow::NutrientTab(Dialogs& dialogs) {
  auto* page = new QWidget(this);
  GridView* feeds = AddTable(form_.feedsTable, "feedsTable", dialogs);
  feeds->Model()->SetToolTips(
      [this](int row, int) { return std::string(form_.FeedsTableToolTip(row)); });
  // A diet number typed into column 0 assigns that row's feed to the diet.
  ForwardKeys(
      *feeds,
      [this](Key key, KeyModifiers modifiers) {
        return form_.KeyDown(form_.feedsTable, key, modifiers);
      },
      [this](char key) {
        if (form_.feedsTable.Col() != 0) return false;
        bool taken = false;
        Run([this, key, &taken] { taken = form_.FeedsTableKeyPress(key); });
        return taken;
      });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AddButton("transferAllDiets", DietDisplayForm::kTransferAllCaption, [this] {
    form_.TransferAllDiets();
  }));
  buttons->addStretch();
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(AddLabel("NutInstructions", DietDisplayForm::kNutInstructions));
  layout->addWidget(feeds, 1);
  layout->addLayout(buttons);
  return page;
}

QWidget* DietDisplayWindow::IngredientTab(Dialogs& dialogs) {
  auto* page = new QWidget(this);
  GridView* feeds = AddTable(form_.ingredientFeedsTable, "ingredientFeedsTable", dialogs);
  feeds->Model()->SetAfterEdit([this](int row, int col) { form_.IngredientFeedsEdited(row, col); });
  ForwardKeys(*feeds, [this](Key key, KeyModifiers modifiers) {
    return form_.KeyDown(form_.ingredientFeedsTable, key, modifiers);
  });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AddButton("openIngredientFile",
                               DietDisplayForm::kOpenIngredientFileCaption,
                               [this] { form_.OpenIngredientFile(); }));
  buttons->addWidget(AddButton("calculateNutrients",
                               DietDisplayForm::kCalculateNutrientsCaption,
                               [this] { form_.CalculateNutrients(); }));
  QPushButton* transfer = AddButton("transferToCurrent",
                                    DietDisplayForm::kTransferToCurrentCaption,
                                    [this] { form_.TransferToCurrent(); });
  transfer->setToolTip(FromCoreText(DietDisplayForm::kTransferTip));
  buttons->addWidget(transfer);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(AddLabel("IngInstructions", DietDisplayForm::kIngInstructions));
  layout->addWidget(feeds, 1);
  layout->addLayout(buttons);
  return page;
}

void DietDisplayWindow::Refresh() {
  setWindowTitle(FromCoreText(form_.caption));
  if (tabs_->currentIndex() != form_.currentTab) tabs_->setCurrentIndex(form_.currentTab);
}
