// The File and Help menus' commands that act on the desktop's own windows:
// the recent locations, the export of a table as a view shows it, the
// printer dialog, the help window; and the status bar.
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>

#include "app/App.h"
#include "app/TableExport.h"
#include "ui/CoreText.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/ReportWindow.h"

namespace {

const QString kRecentKey = QStringLiteral("recentLocations");

// The rows and columns a view shows, its headings first.
std::vector<int> ShownRows(const GridView& view) {
  std::vector<int> rows;
  if (!view.horizontalHeader()->isHidden()) rows.push_back(0);
  for (int row = 0; row < view.model()->rowCount(); ++row)
    if (!view.isRowHidden(row)) rows.push_back(row);
  return rows;
}

std::vector<int> ShownColumns(const GridView& view) {
  std::vector<int> cols;
  if (!view.verticalHeader()->isHidden()) cols.push_back(0);
  for (int col = 0; col < view.model()->columnCount(); ++col)
    if (!view.isColumnHidden(col)) cols.push_back(col);
  return cols;
}

}  // namespace

void MainWindow::FillRecentMenu() {
  recentMenu_->clear();
  const std::vector<std::string>& paths = form_.Recent.Paths();
  if (paths.empty()) {
    recentMenu_->addAction(FromCoreText(kNoRecentLocations))->setEnabled(false);
    return;
  }
  for (int index = 0; index < static_cast<int>(paths.size()); ++index) {
    QAction* action = recentMenu_->addAction(FromCoreText(form_.Recent.caption(index)));
    action->setObjectName(QStringLiteral("recentLocation%1").arg(index + 1));
    action->setToolTip(FromCoreText(paths[static_cast<std::size_t>(index)]));
    connect(action, &QAction::triggered, this, [this, index] {
      if (CalibrationRuns()) return;
      form_.OpenRecentLocation(index);
      Refresh();
    });
  }
}

// The table the user last clicked or typed in; before any, the table of the
// tab shown.
GridView* MainWindow::ActiveTable() const {
  if (lastTable_ && lastTable_->isVisible()) return lastTable_;
  switch (tabs_->currentIndex()) {
    case kTabDailyGrowth:
      return grid1Daily_;
    case kTabFormulas:
      return formulaTable_;
    default:
      return dietsTable_;
  }
}

void MainWindow::FollowFocus(QWidget* now) {
  for (QWidget* widget = now; widget; widget = widget->parentWidget()) {
    if (auto* view = qobject_cast<GridView*>(widget)) {
      lastTable_ = view;
      return;
    }
  }
}

void MainWindow::ExportActiveTable() {
  GridView* view = ActiveTable();
  if (!view || !view->Model()) return;
  const TableTarget target = ChooseTableTarget(app_.dialogs, app_.location.dataFolder);
  if (target.path.empty()) return;
  const std::vector<std::string> lines = TableLines(
      *view->Table(), view->Model()->Face(), ShownRows(*view), ShownColumns(*view), target.format);
  form_.StatusText = ExportTable(app_.dialogs, target, lines);
  Refresh();
}

void MainWindow::PrintReportWithDialog() {
  auto* report = static_cast<ReportWindow*>(WindowOf(MainForm::Window::FinishingReport));
  report->PrintWithDialog();
  Refresh();
}

void MainWindow::ShowHelp(HelpSection section) { help_->Show(section); }

void MainWindow::LoadRecentLocations() {
  const QStringList kept = QSettings().value(kRecentKey).toStringList();
  for (const QString& path : kept) keptRecent_.push_back(ToCoreText(path));
  form_.Recent.Set(keptRecent_);
  keptRecent_ = form_.Recent.Paths();
}

// After every command: a location opened joins the list the next session
// starts with.
void MainWindow::KeepRecentLocations() {
  if (form_.Recent.Paths() == keptRecent_) return;
  keptRecent_ = form_.Recent.Paths();
  QStringList paths;
  for (const std::string& path : keptRecent_) paths << FromCoreText(path);
  QSettings().setValue(kRecentKey, paths);
}

// A label of the status bar, not its passing message: hovering a menu
// entry would clear that.
void MainWindow::RefreshStatus() {
  if (!statusText_) {
    statusText_ = new QLabel(statusBar());
    statusText_->setObjectName(QStringLiteral("StatusText"));
    statusBar()->addWidget(statusText_, 1);
  }
  statusText_->setText(FromCoreText(form_.StatusText));
}
