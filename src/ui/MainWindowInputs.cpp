// The herd inputs, choice lists, rule check boxes, options and result fields
// left of the tab set.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "app/App.h"
#include "platform/GridClipboard.h"
#include "platform/Location.h"
#include "ui/CoreText.h"
#include "ui/GridView.h"
#include "ui/MainWindow.h"
#include "ui/ToolTips.h"

namespace {

QColor ColorOf(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// A key that types a character into a field, as the field's key-press
// handler counts them: not the focus keys, not a Ctrl or Alt combination.
bool TypedKey(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) return false;
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  return !key.text().isEmpty();
}

// Shows the form's option value; a group that must show none checked lets
// go of its exclusiveness for the moment.
void ShowOptions(QButtonGroup& group, QRadioButton& first, bool a, QRadioButton& second, bool b) {
  group.setExclusive(false);
  first.setChecked(a);
  second.setChecked(b);
  group.setExclusive(true);
}

}  // namespace

QWidget* MainWindow::MakeInputs() {
  auto* panel = new QWidget;
  panel->setObjectName(QStringLiteral("Inputs"));
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setVerticalSpacing(3);
  int row = 0;
  auto addRow = [&](QWidget* label, QWidget* field) {
    if (label) grid->addWidget(label, row, 0);
    grid->addWidget(field, row, label ? 1 : 0, 1, label ? 1 : 2);
    ++row;
  };

  // The location's name, green until one is chosen: a click, a double click
  // or a key chooses one.
  locationName_ = AddField(form_.locationName, "locationName", false, false);
  locationName_->setCursor(Qt::PointingHandCursor);
  addRow(nullptr, locationName_);

  // The weight unit list stands in the starting weight's label.
  QComboBox* unit = AddList(form_.weightUnit, "weightUnit");
  unit->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  connect(unit, &QComboBox::activated, this, [this](int index) {
    form_.weightUnit.selected = index;
    form_.WeightUnitChosen();
    Refresh();
  });
  startWeight_ = AddField(form_.startWeight, "startWeight", true, false);
  addRow(unit, startWeight_);
  for (auto [box, name] : {std::pair{&form_.startAge, "startAge"},
                           std::pair{&form_.finalWeight, "finalWeight"},
                           std::pair{&form_.totalFeedIntake, "totalFeedIntake"},
                           std::pair{&form_.finalAge, "finalAge"},
                           std::pair{&form_.pigCount, "pigCount"}}) {
    QLineEdit* field = AddField(*box, name, true);
    addRow(fieldLabels_[box], field);
  }
  pigCount_ = fields_[&form_.pigCount];

  for (auto [list, name] : {std::pair{&form_.herdSex, "herdSex"},
                            std::pair{&form_.dietCount, "dietCount"},
                            std::pair{&form_.feedFormulation, "feedFormulation"}}) {
    QComboBox* combo = AddList(*list, name);
    auto* label = new QLabel(FromCoreText(list->caption));
    label->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
    if (list == &form_.feedFormulation) {
      // Its items are long: the list takes the whole width below its label.
      addRow(nullptr, label);
      addRow(nullptr, combo);
    } else {
      addRow(label, combo);
    }
  }
  connect(lists_[&form_.herdSex], &QComboBox::activated, this, [this](int index) {
    form_.herdSex.selected = index;
    Refresh();
  });
  connect(lists_[&form_.dietCount], &QComboBox::activated, this, [this](int index) {
    form_.dietCount.selected = index;
    form_.DietCountChosen();
    Refresh();
  });
  connect(lists_[&form_.feedFormulation], &QComboBox::activated, this, [this](int index) {
    form_.feedFormulation.selected = index;
    Refresh();
  });

  for (auto [box, name] :
       {std::pair{&form_.costPerPig, "costPerPig"}, std::pair{&form_.feedGain, "feedGain"}}) {
    QLineEdit* field = AddField(*box, name, false);
    addRow(fieldLabels_[box], field);
  }
  costPerPig_ = fields_[&form_.costPerPig];

  proteinRule_ =
      new QCheckBox(QString::fromLatin1(kProteinRuleCaption.data(), kProteinRuleCaption.size()));
  proteinRule_->setObjectName(QStringLiteral("proteinRule"));
  connect(proteinRule_, &QCheckBox::clicked, this, [this](bool on) {
    SetProteinRule(form_.ratioRules, on);
    Refresh();
  });
  addRow(nullptr, proteinRule_);
  lysineRule_ =
      new QCheckBox(QString::fromLatin1(kLysineRuleCaption.data(), kLysineRuleCaption.size()));
  lysineRule_->setObjectName(QStringLiteral("lysineRule"));
  connect(lysineRule_, &QCheckBox::clicked, this, [this](bool on) {
    SetLysineRule(form_.ratioRules, on);
    Refresh();
  });
  addRow(nullptr, lysineRule_);

  showInput_ = new QRadioButton(FromCoreText(form_.showInput.caption));
  showInput_->setObjectName(QStringLiteral("showInput"));
  turnOffInput_ = new QRadioButton(FromCoreText(form_.turnOffInput.caption));
  turnOffInput_->setObjectName(QStringLiteral("turnOffInput"));
  auto* inputGroup = new QButtonGroup(panel);
  inputGroup->addButton(showInput_);
  inputGroup->addButton(turnOffInput_);
  connect(showInput_, &QRadioButton::clicked, this, [this] {
    form_.ShowInput();
    Refresh();
  });
  connect(turnOffInput_, &QRadioButton::clicked, this, [this] {
    form_.TurnOffInput();
    Refresh();
  });
  grid->addWidget(showInput_, row, 0);
  grid->addWidget(turnOffInput_, row, 1);
  ++row;

  // Set by the location's load, not by the user.
  calibrationDataLoaded_ = new QRadioButton(FromCoreText(form_.calibrationDataLoaded.caption));
  calibrationDataLoaded_->setObjectName(QStringLiteral("calibrationDataLoaded"));
  calibrationDataLoaded_->setAttribute(Qt::WA_TransparentForMouseEvents);
  calibrationDataLoaded_->setFocusPolicy(Qt::NoFocus);
  addRow(nullptr, calibrationDataLoaded_);

  auto* note =
      new QLabel(QString::fromLatin1(MainForm::kInputsNote.data(), MainForm::kInputsNote.size()));
  note->setObjectName(QStringLiteral("InputsNote"));
  note->setWordWrap(true);
  addRow(nullptr, note);

  grid->setColumnStretch(1, 1);
  return panel;
}

QLineEdit* MainWindow::AddField(TextBox& box, const char* name, bool editable, bool labelled) {
  auto* field = new QLineEdit;
  field->setObjectName(QString::fromLatin1(name));
  field->setReadOnly(!editable);
  field->setAutoFillBackground(true);
  fields_[&box] = field;
  if (labelled) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
    label->setBuddy(field);
    fieldLabels_[&box] = label;
  }
  if (editable) {
    connect(field, &QLineEdit::textEdited, this, [&box](const QString& text) {
      box.text = ToCoreText(text);
    });
  }
  field->installEventFilter(this);
  return field;
}

QComboBox* MainWindow::AddList(ComboBox& list, const char* name) {
  auto* combo = new QComboBox;
  combo->setObjectName(QString::fromLatin1(name));
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  lists_[&list] = combo;
  return combo;
}

void MainWindow::RefreshInputs() {
  for (auto& [box, field] : fields_) {
    // The location field shows the location's name; its tip, the whole path.
    const bool location = box == &form_.locationName;
    const std::string shown = location ? LocationFieldText(box->text) : box->text;
    const QString text = FromCoreText(shown);
    if (field->text() != text) field->setText(text);
    ShowToolTip(*field, location && shown != box->text ? box->text : box->toolTip);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, ColorOf(box->backColor));
    field->setPalette(palette);
    field->setPlaceholderText(FromCoreText(box->caption));
    if (auto label = fieldLabels_.find(box); label != fieldLabels_.end()) {
      label->second->setText(FromCoreText(box->caption));
      label->second->setToolTip(FromCoreText(box->toolTip));
    }
  }
  for (auto& [list, combo] : lists_) {
    QStringList items;
    for (const std::string& item : list->items) items << FromCoreText(item);
    bool same = combo->count() == items.size();
    for (int i = 0; same && i < combo->count(); ++i) same = combo->itemText(i) == items[i];
    if (!same) {
      combo->clear();
      combo->addItems(items);
    }
    combo->setCurrentIndex(list->selected < combo->count() ? list->selected : -1);
    ShowToolTip(*combo, list->toolTip);
  }
  proteinRule_->setChecked(form_.ratioRules.proteinRule);
  lysineRule_->setChecked(form_.ratioRules.lysineRule);
  ShowOptions(*showInput_->group(),
              *showInput_,
              form_.showInput.checked,
              *turnOffInput_,
              form_.turnOffInput.checked);
  calibrationDataLoaded_->setChecked(form_.calibrationDataLoaded.checked);
}

void MainWindow::OpenLocation(const QString& path) {
  form_.OpenLocationFile(ToCoreText(QFileInfo(path).absoluteFilePath()));
  Refresh();
}

// The fields' own events: choosing a location, the herd-input paste, the
// pig number's first key and the recent prices.
bool MainWindow::FieldEvent(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == locationName_) {
    if (type == QEvent::MouseButtonPress) {
      form_.LocationNameClicked();
    } else if (type == QEvent::MouseButtonDblClick) {
      form_.LocationNameDoubleClicked();
    } else if (type == QEvent::KeyPress && TypedKey(*static_cast<QKeyEvent*>(event))) {
      form_.LocationNameKeyPressed();
    } else {
      return false;
    }
    Refresh();
    return true;
  }
  if (type == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    // Ctrl+V or Shift+Insert, whatever Alt says.
    const KeyModifiers held =
        CoreModifiers(key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier));
    if (watched == startWeight_ && HerdInputPaste(CoreKey(key->key()),
                                                  held,
                                                  app_.dialogs,
                                                  form_.startWeight.text,
                                                  form_.startAge.text,
                                                  form_.finalWeight.text,
                                                  form_.totalFeedIntake.text,
                                                  form_.finalAge.text)) {
      Refresh();
      return true;
    }
    if (watched == pigCount_ && TypedKey(*key)) {
      form_.PigCountKeyPressed();
      Refresh();
      return false;  // the key itself is typed into the emptied field
    }
  }
  if (watched == costPerPig_ && type == QEvent::MouseButtonDblClick) {
    form_.CostPerPigDoubleClicked();
    Refresh();
    return true;
  }
  return false;
}
