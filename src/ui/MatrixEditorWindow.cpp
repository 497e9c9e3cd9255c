#include "ui/MatrixEditorWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AfrmMain.h"
#include "ui/CoreText.h"
#include "ui/GridView.h"

MatrixEditorWindow::MatrixEditorWindow(frmExcel& form,
                                       Dialogs& dialogs,
                                       AfrmMain& mainForm,
                                       QWidget* parent)
    : SecondaryWindow(parent), form_(form), mainForm_(mainForm) {
  setObjectName(QStringLiteral("frmExcel"));

  table_ = new GridView(this);
  table_->setObjectName(QStringLiteral("GridImport"));
  table_->Bind(form_.GridImport, dialogs);
  ForwardKeys(*table_,
              [this](Key key, KeyModifiers modifiers) { return form_.KeyDown(key, modifiers); });
  table_->SetPopupCaption(PopupAction::Paste, FromCoreText(frmExcel::kPasteCaption));
  table_->SetPopupHook(
      [this](PopupAction action) { Run([this, action] { form_.Popup(action); }); });
  connect(table_, &GridView::clicked, this, [this](const QModelIndex& index) {
    form_.GridImportClick(index.row());
    Refresh();
  });

  auto* buttons = new QGridLayout;
  buttons->addWidget(
      AddButton("Command4", frmExcel::kCommand4Caption, [this] { form_.Command4(); }), 0, 0);
  QPushButton* addNut =
      AddButton("Command5", frmExcel::kCommand5Caption, [this] { form_.Command5(); });
  addNut->setToolTip(FromCoreText(frmExcel::kAddNutTip));
  buttons->addWidget(addNut, 0, 1);
  buttons->addWidget(
      AddButton("DeleteIng", frmExcel::kDeleteIngCaption, [this] { form_.DeleteIng(); }), 0, 2);
  buttons->addWidget(
      AddButton("CmdDeleteNut", frmExcel::kCmdDeleteNutCaption, [this] { form_.CmdDeleteNut(); }),
      0,
      3);
  edit_ = AddButton("Cmdedit", form_.CmdeditCaption, [this] { form_.Cmdedit(); });
  buttons->addWidget(edit_, 1, 0);
  enzyme_ = AddButton("CmdEnzyme", frmExcel::kCmdEnzymeCaption, [this] { form_.CmdEnzyme(); });
  buttons->addWidget(enzyme_, 1, 1);
  QPushButton* store =
      AddButton("Command3", frmExcel::kCommand3Caption, [this] { form_.Command3(); });
  store->setToolTip(FromCoreText(frmExcel::kSaveTip));
  buttons->addWidget(store, 1, 2);
  buttons->addWidget(AddButton("Command1",
                               frmExcel::kCommand1Caption,
                               [this] { form_.Command1(mainForm_.MatrixEditorSave()); }),
                     1,
                     3);

  ingLabel_ = AddLabel("IngLabel");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(AddLabel("Label1", frmExcel::kInstructions1));
  layout->addWidget(AddLabel("Label2", frmExcel::kInstructions2));
  layout->addWidget(AddLabel("Label3", frmExcel::kInstructions3));
  layout->addWidget(AddLabel("Label4", frmExcel::kInstructions4));
  layout->addWidget(table_, 1);
  layout->addWidget(ingLabel_);
  layout->addLayout(buttons);
  resize(1000, 700);
}

void MatrixEditorWindow::Refresh() {
  setWindowTitle(FromCoreText(form_.caption));
  ingLabel_->setText(FromCoreText(form_.IngLabel));
  edit_->setText(FromCoreText(form_.CmdeditCaption));
  enzyme_->setVisible(form_.CmdEnzymeVisible);
}
