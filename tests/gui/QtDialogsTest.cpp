// The toolkit's dialogs behind the program's questions, driven as a user
// would: the answer by button or Escape, typed text, file choices.
#include <QDialogButtonBox>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <string>

#include "WhenModal.h"
#include "ui/QtDialogs.h"

class QtDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void messageBoxesAnswerByTheButtonPressedOrEscape();
  void inputBoxGivesTheTypedTextOrEmpty();
  void cancelledFileDialogsReturnTheOfferedName();
  void chosenFileGetsTheDefaultExtension();
};

// Each answer once, and Escape giving the cautious one.
void QtDialogsTest::messageBoxesAnswerByTheButtonPressedOrEscape() {
  const struct {
    Buttons buttons;
    QMessageBox::StandardButton press;
    Answer expected;
  } cases[] = {
      {Buttons::OK, QMessageBox::Ok, Answer::OK},
      {Buttons::OKCancel, QMessageBox::Cancel, Answer::Cancel},
      {Buttons::YesNo, QMessageBox::Yes, Answer::Yes},
      {Buttons::YesNoCancel, QMessageBox::No, Answer::No},
      {Buttons::SaveDiscardCancel, QMessageBox::Save, Answer::Save},
      {Buttons::SaveDiscardCancel, QMessageBox::Discard, Answer::Discard},
      {Buttons::OK, QMessageBox::NoButton, Answer::OK},
      {Buttons::OKCancel, QMessageBox::NoButton, Answer::Cancel},
      {Buttons::YesNo, QMessageBox::NoButton, Answer::No},
  };
  QtDialogs dialogs;
  for (const auto& c : cases) {
    WhenModal([&](QWidget* widget) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (c.press == QMessageBox::NoButton)
        QTest::keyClick(box, Qt::Key_Escape);
      else
        box->button(c.press)->click();  // there: the box has the buttons asked for
    });
    QCOMPARE(dialogs.Message("Save the diets first?", c.buttons, "Diets"), c.expected);
  }
}

void QtDialogsTest::inputBoxGivesTheTypedTextOrEmpty() {
  QtDialogs dialogs;
  QString shownDefault;
  WhenModal([&](QWidget* widget) {
    auto* input = qobject_cast<QInputDialog*>(widget);
    shownDefault = input->textValue();
    input->setTextValue(shownDefault + "0");
    input->accept();
  });
  QCOMPARE(dialogs.Input("Name of the location", "Location", "Farm 1"), std::string("Farm 10"));

  WhenModal([](QWidget* widget) { qobject_cast<QDialog*>(widget)->reject(); });
  QCOMPARE(dialogs.Input("Name of the location", "Location", "Farm 1"), std::string());
}

// The reject button is pressed; its caption is the request's when it names
// one (a save that keeps the current name), the toolkit's "Cancel" otherwise.
void QtDialogsTest::cancelledFileDialogsReturnTheOfferedName() {
  QtDialogs dialogs;
  const std::string folder = QDir::tempPath().toStdString();
  const struct {
    FileRequest request;
    bool save;
    std::string rejectCaption;
  } cases[] = {
      {{"Select Path and Calibration File", folder, "*.plt", ".plt", "*.plt"}, false, ""},
      {{"CURRENT FILE IS x", folder, "*.dts", ".dts", "Farm.dts"}, true, "Keep It"},
      {{"Copy", folder, "", "", ""}, true, ""},
  };
  for (const auto& [request, save, caption] : cases) {
    QString title, rejectCaption;
    WhenModal([&](QWidget* widget) {
      title = widget->windowTitle();
      QPushButton* reject =
          widget->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
      rejectCaption = reject->text().remove(u'&');
      if (!caption.empty()) QVERIFY(reject->icon().isNull());
      reject->click();
    });
    QCOMPARE(save ? dialogs.SaveFile(request, caption) : dialogs.OpenFile(request),
             request.fileName);
    QCOMPARE(title, QString::fromStdString(request.title));
    QCOMPARE(rejectCaption, caption.empty() ? "Cancel" : QString::fromStdString(caption));
  }
}

// A name typed without an extension gets the default one, with or without
// its dot; the open dialog takes a new name too (a new location starts so).
void QtDialogsTest::chosenFileGetsTheDefaultExtension() {
  QtDialogs dialogs;
  QTemporaryDir folder;
  const struct {
    const char* typed;
    const char* defaultExt;
    const char* expected;
    bool save;
  } cases[] = {
      {"Farm2", ".plt", "Farm2.plt", false},
      {"Farm2.txt", ".plt", "Farm2.txt", true},
      {"Farm2", "stg", "Farm2.stg", true},
      {"Farm2", "", "Farm2", false},
  };
  for (const auto& c : cases) {
    FileRequest request{"Choose", folder.path().toStdString(), "*.*", c.defaultExt, "*.*"};
    WhenModal([&](QWidget* dialog) {
      dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(c.typed);
      static_cast<QDialog*>(dialog)->accept();
    });
    const std::string chosen = c.save ? dialogs.SaveFile(request) : dialogs.OpenFile(request);
    QCOMPARE(QString::fromStdString(chosen), QDir(folder.path()).filePath(c.expected));
  }
}

QTEST_MAIN(QtDialogsTest)
#include "QtDialogsTest.moc"
