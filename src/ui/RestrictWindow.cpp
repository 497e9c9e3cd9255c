#include "ui/RestrictWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/MainForm.h"
#include "ui/CoreText.h"
#include "ui/GridView.h"

RestrictWindow::RestrictWindow(RestrictionsForm& form,
                               Dialogs& dialogs,
                               MainForm& mainForm,
                               QWidget* parent)
    : SecondaryWindow(parent), form_(form), mainForm_(mainForm) {
  setObjectName(QStringLiteral("Restrict"));
  setWindowTitle(FromCoreText(RestrictionsForm::kCaption));

  nuts_ = new GridView(this);
  nuts_->setObjectName(QStringLiteral("NUTS"));
  nuts_->Bind(form_.nutrientTable, dialogs);
  ingredients_ = new GridView(this);
  ingredients_->setObjectName(QStringLiteral("GridRestrict"));
  ingredients_->Bind(form_.ingredientTable, dialogs);
  for (GridView* view : {nuts_, ingredients_}) {
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
  tables->addWidget(nuts_);
  tables->addWidget(ingredients_);
  ingLabel_ = AddLabel("IngLabel");

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AddButton("SaveIngSes", RestrictionsForm::kKeepIngredientCaption, [this] {
    form_.KeepIngredientRestrictions();
  }));
  buttons->addWidget(AddButton("SaveNutSes", RestrictionsForm::kKeepNutrientCaption, [this] {
    form_.KeepNutrientRestrictions();
  }));
  buttons->addWidget(AddButton("SaveIngFile", RestrictionsForm::kSaveIngredientCaption, [this] {
    form_.SaveIngredientRestrictionsFile(mainForm_.RestrictionFilesInUse());
  }));
  buttons->addWidget(AddButton("SaveNutFile", RestrictionsForm::kSaveNutrientCaption, [this] {
    form_.SaveNutrientRestrictionsFile(mainForm_.RestrictionFilesInUse());
  }));
  buttons->addWidget(AddButton("SaveFile", RestrictionsForm::kSaveBothCaption, [this] {
    form_.SaveBothRestrictionFiles(mainForm_.RestrictionFilesInUse());
  }));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(AddLabel("Instructions", RestrictionsForm::kInstructions));
  layout->addWidget(tables, 1);
  layout->addWidget(ingLabel_);
  layout->addLayout(buttons);
  resize(1000, 640);
}

void RestrictWindow::Refresh() { ingLabel_->setText(FromCoreText(form_.ingredientLabel)); }
