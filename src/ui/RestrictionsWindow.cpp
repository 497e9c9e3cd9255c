#include "ui/RestrictionsWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/MainForm.h"
#include "ui/CoreText.h"
#include "ui/GridView.h"

RestrictionsWindow::RestrictionsWindow(RestrictionsForm& form,
                                       Dialogs& dialogs,
                                       MainForm& mainForm,
                                       QWidget* parent)
    : SecondaryWindow(parent), form_(form), mainForm_(mainForm) {
  setObjectName(QStringLiteral("RestrictionsWindow"));
  setWindowTitle(FromCoreText(RestrictionsForm::kCaption));

  nutrients_ = new GridView(this);
  nutrients_->setObjectName(QStringLiteral("nutrientTable"));
  nutrients_->Bind(form_.nutrientTable, dialogs);
  ingredients_ = new GridView(this);
  ingredients_->setObjectName(QStringLiteral("ingredientTable"));
  ingredients_->Bind(form_.ingredientTable, dialogs);
  for (GridView* view : {nutrients_, ingredients_}) {
    Grid& grid = *view->Table();
    ForwardKeys(*view, [this, &grid](Key key, KeyModifiers modifiers) {
      return form_.KeyDown(grid, key, modifiers);
    });
  }
  connect(ingredients_, &GridView::clicked, this, [this](const QModelIndex& index) {
    form_.IngredientRowClicked(index.row());
    Refresh();
  });

  auto* tables = new QSplitter(Qt::Vertical, this);
  tables->addWidget(nutrients_);
  tables->addWidget(ingredients_);
  ingLabel_ = AddLabel("ingredientLabel");

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AddButton("keepIngredientRestrictions",
                               RestrictionsForm::kKeepIngredientCaption,
                               [this] { form_.KeepIngredientRestrictions(); }));
  buttons->addWidget(AddButton("keepNutrientRestrictions",
                               RestrictionsForm::kKeepNutrientCaption,
                               [this] { form_.KeepNutrientRestrictions(); }));
  buttons->addWidget(
      AddButton("saveIngredientRestrictionsFile", RestrictionsForm::kSaveIngredientCaption, [this] {
        form_.SaveIngredientRestrictionsFile(mainForm_.RestrictionFilesInUse());
      }));
  buttons->addWidget(
      AddButton("saveNutrientRestrictionsFile", RestrictionsForm::kSaveNutrientCaption, [this] {
        form_.SaveNutrientRestrictionsFile(mainForm_.RestrictionFilesInUse());
      }));
  buttons->addWidget(
      AddButton("saveBothRestrictionFiles", RestrictionsForm::kSaveBothCaption, [this] {
        form_.SaveBothRestrictionFiles(mainForm_.RestrictionFilesInUse());
      }));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(AddLabel("Instructions", RestrictionsForm::kInstructions));
  layout->addWidget(tables, 1);
  layout->addWidget(ingLabel_);
  layout->addLayout(buttons);
  resize(1000, 640);
}

void RestrictionsWindow::Refresh() { ingLabel_->setText(FromCoreText(form_.ingredientLabel)); }
