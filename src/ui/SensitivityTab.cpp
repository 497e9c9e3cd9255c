#include "ui/SensitivityTab.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QVBoxLayout>

#include "ui/CoreText.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"

namespace {

// Keeps the keys that would paste into or cut from a table of results.
class NoPasteKeys : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
      const auto* key = static_cast<QKeyEvent*>(event);
      const bool ctrl = key->modifiers() == Qt::ControlModifier;
      const bool shift = key->modifiers() == Qt::ShiftModifier;
      if ((ctrl && (key->key() == Qt::Key_V || key->key() == Qt::Key_X)) ||
          (shift && key->key() == Qt::Key_Insert)) {
        event->accept();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

SensitivityTab::SensitivityTab(SensitivityForm& form, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), form_(form), dialogs_(dialogs) {
  setObjectName(QStringLiteral("SensitivityTab"));
  label_ = new QLabel(this);
  label_->setObjectName(QStringLiteral("sensitivityLabel"));
  label_->setWordWrap(true);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(AddTable(
      form_.restrictionsTable, "restrictionsTable", form_.restrictionsOrder, [this](int col) {
        form_.SortRestrictions(col);
      }));
  split->addWidget(
      AddTable(form_.ingredientsTable, "ingredientsTable", form_.ingredientsOrder, [this](int col) {
        form_.SortIngredients(col);
      }));
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(split, 1);
  ShowLabel();
}

GridView* SensitivityTab::AddTable(Grid& grid,
                                   const char* name,
                                   const SensitivityForm::SortOrder& order,
                                   std::function<void(int col)> sort) {
  auto* view = new GridView(this);
  view->setObjectName(QString::fromLatin1(name));
  view->Bind(grid, dialogs_);
  for (QAction* action : view->PopupMenu()->actions()) {
    const QString entry = action->objectName();
    action->setVisible(entry == QLatin1String("copyHighlighted") ||
                       entry == QLatin1String("copyAll"));
  }
  view->installEventFilter(new NoPasteKeys(view));
  QHeaderView* header = view->horizontalHeader();
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(true);
  auto showOrder = [header, &order] {
    header->setSortIndicator(order.col, order.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  };
  showOrder();
  connect(header, &QHeaderView::sectionClicked, this, [sort, showOrder](int col) {
    sort(col);
    showOrder();
  });
  // A new diet or formulation writes the headings afresh: the label and the
  // order mark follow, and once the rows are written too the columns fit them.
  connect(view->Model(),
          &QAbstractItemModel::headerDataChanged,
          this,
          [this, view, showOrder](Qt::Orientation orientation) {
            if (orientation != Qt::Horizontal) return;
            ShowLabel();
            showOrder();
            QMetaObject::invokeMethod(
                view, [view] { view->resizeColumnsToContents(); }, Qt::QueuedConnection);
          });
  return view;
}

void SensitivityTab::ShowLabel() { label_->setText(FromCoreText(form_.label)); }
