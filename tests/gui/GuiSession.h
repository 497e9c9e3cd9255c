#pragma once

// A program on a copy of the demo location, shared by the window tests.
#include <QAbstractItemModel>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/App.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"
#include "ui/GridView.h"
#include "ui/MainWindow.h"

// Started in the copy's parent, so no window-size file comes from elsewhere;
// unless told not to, the location opened by a click on the "Calibration
// Name" field and the first herd sex chosen.
struct GuiSession {
  TempDemo demo;
  ScriptedDialogs dialogs;
  std::unique_ptr<App> app;
  std::unique_ptr<MainWindow> window;

  explicit GuiSession(bool open = true) {
    MainForm::StartupEnvironment machine{demo.path().string() + "/", false};
    app = std::make_unique<App>(dialogs, machine);
    window = std::make_unique<MainWindow>(*app);
    window->show();
    if (!open) return;
    dialogs.File(demo.Plt());
    QTest::mouseClick(Find<QLineEdit>("locationName"), Qt::LeftButton);
    Find<QComboBox>("herdSex")->setCurrentIndex(0);
    emit Find<QComboBox>("herdSex")->activated(0);
  }

  // A child of `in` (the main window when null) by object name.
  template <typename T>
  T* Find(const char* name, QObject* in = nullptr) const {
    QObject* root = in ? in : window.get();
    return root->findChild<T*>(QString::fromLatin1(name));
  }
  // Clicks a button that must be there and enabled.
  void Click(const char* name, QWidget* in = nullptr) const {
    QPushButton* button = Find<QPushButton>(name, in);
    QVERIFY2(button && button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
  }
  // A long run holds the main window's run commands.
  bool RunCommandsHeld() const {
    for (const char* command : {"growth", "calibration", "runLp", "runOptimization"})
      if (Find<QPushButton>(command)->isEnabled()) return false;
    return true;
  }
  // The text of a table's cell as shown.
  QString Cell(QWidget* in, const char* table, int row, int col) const {
    QAbstractItemModel* model = Find<GridView>(table, in)->model();
    return model->data(model->index(row, col)).toString();
  }
};
