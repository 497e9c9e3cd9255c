#include "ui/MatrixEditorWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/MainForm.h"
#include "ui/CoreText.h"
#include "ui/GridView.h"

MatrixEditorWindow::MatrixEditorWindow(MatrixEditorForm& form,
                                       Dialogs& dialogs,
                                       MainForm& mainForm,
                                       QWidget* parent)
    : SecondaryWindow(parent), form_(form), mainForm_(mainForm) {
  setObjectName(QStringLiteral("MatrixEditorWindow"));

  table_ = new GridView(this);
  table_->setObjectName(QStringLiteral("matrixTable"));
  table_->Bind(form_.matrixTable, dialogs);
  ForwardKeys(*table_,
              [this](Key key, KeyModifiers modifiers) { return form_.KeyDown(key, modifiers); });
  table_->SetPopupCaption(PopupAction::Paste, FromCoreText(MatrixEditorForm::kPasteCaption));
  table_->SetPopupHook(
      [this](PopupAction action) { Run([this, action] { form_.Popup(action); }); });
  connect(table_, &GridView::clicked, this, [this](const QModelIndex& index) {
    form_.IngredientRowClicked(index.row());
    Refresh();
  });

  auto* buttons = new QGridLayout;
  buttons->addWidget(AddButton("addIngredient",
                               MatrixEditorForm::kAddIngredientCaption,
                               [this] { form_.AddIngredient(); }),
                     0,
                     0);
  QPushButton* addNut = AddButton(
      "addNutrient", MatrixEditorForm::kAddNutrientCaption, [this] { form_.AddNutrient(); });
  addNut->setToolTip(FromCoreText(MatrixEditorForm::kAddNutTip));
  buttons->addWidget(addNut, 0, 1);
  buttons->addWidget(AddButton("deleteIngredient",
                               MatrixEditorForm::kDeleteIngredientCaption,
                               [this] { form_.DeleteIngredient(); }),
                     0,
                     2);
  buttons->addWidget(AddButton("deleteNutrient",
                               MatrixEditorForm::kDeleteNutrientCaption,
                               [this] { form_.DeleteNutrient(); }),
                     0,
                     3);
  edit_ = AddButton("editNames", form_.editNamesCaption, [this] { form_.EditNames(); });
  buttons->addWidget(edit_, 1, 0);
  enzyme_ = AddButton(
      "setEnzymeColumn", MatrixEditorForm::kEnzymeCaption, [this] { form_.SetEnzymeColumn(); });
  buttons->addWidget(enzyme_, 1, 1);
  QPushButton* store = AddButton(
      "saveChanges", MatrixEditorForm::kSaveChangesCaption, [this] { form_.SaveChanges(); });
  store->setToolTip(FromCoreText(MatrixEditorForm::kSaveTip));
  buttons->addWidget(store, 1, 2);
  buttons->addWidget(AddButton("saveChangesToFile",
                               MatrixEditorForm::kSaveToFileCaption,
                               [this] { form_.SaveChangesToFile(mainForm_.MatrixEditorSave()); }),
                     1,
                     3);

  ingLabel_ = AddLabel("ingredientLabel");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(AddLabel("instructions1", MatrixEditorForm::kInstructions1));
  layout->addWidget(AddLabel("instructions2", MatrixEditorForm::kInstructions2));
  layout->addWidget(AddLabel("instructions3", MatrixEditorForm::kInstructions3));
  layout->addWidget(AddLabel("instructions4", MatrixEditorForm::kInstructions4));
  layout->addWidget(table_, 1);
  layout->addWidget(ingLabel_);
  layout->addLayout(buttons);
  resize(1000, 700);
}

void MatrixEditorWindow::Refresh() {
  setWindowTitle(FromCoreText(form_.caption));
  ingLabel_->setText(FromCoreText(form_.ingredientLabel));
  edit_->setText(FromCoreText(form_.editNamesCaption));
  enzyme_->setVisible(form_.enzymeVisible);
}
