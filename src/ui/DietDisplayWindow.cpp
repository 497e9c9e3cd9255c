#include "ui/DietDisplayWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/CoreText.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"

DietDisplayWindow::DietDisplayWindow(DietDisplay& form, Dialogs& dialogs, QWidget* parent)
    : SecondaryWindow(parent), form_(form) {
  setObjectName(QStringLiteral("DietDisplay"));

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("Tab"));
  tabs_->addTab(NutrientTab(dialogs), FromCoreText(DietDisplay::kNutrientTabCaption));
  tabs_->addTab(IngredientTab(dialogs), FromCoreText(DietDisplay::kIngredientTabCaption));
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) { form_.Tab = tab; });

  // Both tabs: these act on the tab shown.
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(
      AddButton("Command2", DietDisplay::kCommand2Caption, [this] { form_.Command2(); }));
  buttons->addWidget(
      AddButton("CmdSave", DietDisplay::kCmdSaveCaption, [this] { form_.CmdSave(); }));
  QPushButton* clear =
      AddButton("CmdClear", DietDisplay::kCmdClearCaption, [this] { form_.CmdClear(); });
  clear->setToolTip(FromCoreText(DietDisplay::kClearTip));
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
  view->SetPopupCaption(PopupAction::Clear, FromCoreText(DietDisplay::kClearGridCaption));
  view->SetPopupCaption(PopupAction::Paste, FromCoreText(DietDisplay::kPasteCaption));
  view->SetPopupHook([this, &grid](PopupAction action) {
    Run([this, &grid, action] { form_.Popup(grid, action); });
  });
  return view;
}

QWidget* DietDisplayWindow::NutrientTab(Dialogs& dialogs) {
  auto* page = new QWidget(this);
  GridView* feeds = AddTable(form_.Grid2, "Grid2", dialogs);
  feeds->Model()->SetToolTips(
      [this](int row, int) { return std::string(form_.Grid2ToolTip(row)); });
  // A diet number typed into column 0 assigns that row's feed to the diet.
  ForwardKeys(
      *feeds,
      [this](Key key, KeyModifiers modifiers) {
        return form_.KeyDown(form_.Grid2, key, modifiers);
      },
      [this](char key) {
        if (form_.Grid2.Col() != 0) return false;
        bool taken = false;
        Run([this, key, &taken] { taken = form_.Grid2KeyPress(key); });
        return taken;
      });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(
      AddButton("Command3", DietDisplay::kCommand3Caption, [this] { form_.Command3(); }));
  buttons->addStretch();
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(AddLabel("NutInstructions", DietDisplay::kNutInstructions));
  layout->addWidget(feeds, 1);
  layout->addLayout(buttons);
  return page;
}

QWidget* DietDisplayWindow::IngredientTab(Dialogs& dialogs) {
  auto* page = new QWidget(this);
  GridView* feeds = AddTable(form_.GridIng, "GridIng", dialogs);
  feeds->Model()->SetAfterEdit([this](int row, int col) { form_.GridIngEdited(row, col); });
  ForwardKeys(*feeds, [this](Key key, KeyModifiers modifiers) {
    return form_.KeyDown(form_.GridIng, key, modifiers);
  });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AddButton(
      "CommandIngOpen", DietDisplay::kCommandIngOpenCaption, [this] { form_.CommandIngOpen(); }));
  buttons->addWidget(
      AddButton("Command8", DietDisplay::kCommand8Caption, [this] { form_.Command8(); }));
  QPushButton* transfer =
      AddButton("Command9", DietDisplay::kCommand9Caption, [this] { form_.Command9(); });
  transfer->setToolTip(FromCoreText(DietDisplay::kTransferTip));
  buttons->addWidget(transfer);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(AddLabel("IngInstructions", DietDisplay::kIngInstructions));
  layout->addWidget(feeds, 1);
  layout->addLayout(buttons);
  return page;
}

void DietDisplayWindow::Refresh() {
  setWindowTitle(FromCoreText(form_.caption));
  if (tabs_->currentIndex() != form_.Tab) tabs_->setCurrentIndex(form_.Tab);
}
