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
#include "ui/CoreText.h"
#include "ui/GridView.h"
#include "ui/MainWindow.h"

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
  text6_ = AddField(form_.locationName, "Text6", false, false);
  text6_->setCursor(Qt::PointingHandCursor);
  addRow(nullptr, text6_);

  // The weight unit list stands in the starting weight's label.
  QComboBox* unit = AddList(form_.weightUnit, "Combo2");
  unit->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  connect(unit, &QComboBox::activated, this, [this](int index) {
    form_.weightUnit.selected = index;
    form_.WeightUnitChosen();
    Refresh();
  });
  text1_ = AddField(form_.startWeight, "Text1", true, false);
  addRow(unit, text1_);
  for (auto [box, name] : {std::pair{&form_.startAge, "Text2"},
                           std::pair{&form_.finalWeight, "Text3"},
                           std::pair{&form_.totalFeedIntake, "Text4"},
                           std::pair{&form_.finalAge, "Text5"},
                           std::pair{&form_.pigCount, "TextPigNo"}}) {
    QLineEdit* field = AddField(*box, name, true);
    addRow(fieldLabels_[box], field);
  }
  textPigNo_ = fields_[&form_.pigCount];

  for (auto [list, name] : {std::pair{&form_.herdSex, "ComboSex"},
                            std::pair{&form_.dietCount, "Combo3"},
                            std::pair{&form_.feedFormulation, "Combo1"}}) {
    QComboBox* combo = AddList(*list, name);
    auto* label = new QLabel(FromCoreText(list->caption));
    label->setObjectName(QStringLiteral("Label") + QString::fromLatin1(name));
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
       {std::pair{&form_.costPerPig, "TextPrice"}, std::pair{&form_.feedGain, "TextFeedGain"}}) {
    QLineEdit* field = AddField(*box, name, false);
    addRow(fieldLabels_[box], field);
  }
  textPrice_ = fields_[&form_.costPerPig];

  check2_ =
      new QCheckBox(QString::fromLatin1(kProteinRuleCaption.data(), kProteinRuleCaption.size()));
  check2_->setObjectName(QStringLiteral("Check2"));
  connect(check2_, &QCheckBox::clicked, this, [this](bool on) {
    SetProteinRule(form_.ratioRules, on);
    Refresh();
  });
  addRow(nullptr, check2_);
  check3_ =
      new QCheckBox(QString::fromLatin1(kLysineRuleCaption.data(), kLysineRuleCaption.size()));
  check3_->setObjectName(QStringLiteral("Check3"));
  connect(check3_, &QCheckBox::clicked, this, [this](bool on) {
    SetLysineRule(form_.ratioRules, on);
    Refresh();
  });
  addRow(nullptr, check3_);

  option1_ = new QRadioButton(FromCoreText(form_.showInput.caption));
  option1_->setObjectName(QStringLiteral("Option1"));
  option2_ = new QRadioButton(FromCoreText(form_.turnOffInput.caption));
  option2_->setObjectName(QStringLiteral("Option2"));
  auto* inputGroup = new QButtonGroup(panel);
  inputGroup->addButton(option1_);
  inputGroup->addButton(option2_);
  connect(option1_, &QRadioButton::clicked, this, [this] {
    form_.ShowInput();
    Refresh();
  });
  connect(option2_, &QRadioButton::clicked, this, [this] {
    form_.TurnOffInput();
    Refresh();
  });
  grid->addWidget(option1_, row, 0);
  grid->addWidget(option2_, row, 1);
  ++row;

  // Set by the location's load, not by the user.
  option3_ = new QRadioButton(FromCoreText(form_.calibrationDataLoaded.caption));
  option3_->setObjectName(QStringLiteral("Option3"));
  option3_->setAttribute(Qt::WA_TransparentForMouseEvents);
  option3_->setFocusPolicy(Qt::NoFocus);
  addRow(nullptr, option3_);

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
    label->setObjectName(QStringLiteral("Label") + QString::fromLatin1(name));
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
    const QString text = FromCoreText(box->text);
    if (field->text() != text) field->setText(text);
    field->setToolTip(FromCoreText(box->toolTip));
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
    combo->setToolTip(FromCoreText(list->toolTip));
  }
  check2_->setChecked(form_.ratioRules.proteinRule);
  check3_->setChecked(form_.ratioRules.lysineRule);
  ShowOptions(*option1_->group(),
              *option1_,
              form_.showInput.checked,
              *option2_,
              form_.turnOffInput.checked);
  option3_->setChecked(form_.calibrationDataLoaded.checked);
}

void MainWindow::OpenLocation(const QString& path) {
  form_.OpenLocationFile(ToCoreText(QFileInfo(path).absoluteFilePath()));
  Refresh();
}

// The fields' own events: choosing a location, the herd-input paste, the
// pig number's first key and the recent prices.
bool MainWindow::FieldEvent(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == text6_) {
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
    if (watched == text1_ && HerdInputPaste(CoreKey(key->key()),
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
    if (watched == textPigNo_ && TypedKey(*key)) {
      form_.PigCountKeyPressed();
      Refresh();
      return false;  // the key itself is typed into the emptied field
    }
  }
  if (watched == textPrice_ && type == QEvent::MouseButtonDblClick) {
    form_.CostPerPigDoubleClicked();
    Refresh();
    return true;
  }
  return false;
}
