#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
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
  void clipboardSetGetClear();
};

void QtDialogsTest::messageBoxesAnswerByTheButtonPressedOrEscape() {
  const struct {
    Buttons buttons;
    QMessageBox::StandardButton press;
    Answer expected;
  } cases[] = {
      {Buttons::OK, QMessageBox::Ok, Answer::OK},
      {Buttons::OKCancel, QMessageBox::Ok, Answer::OK},
      {Buttons::OKCancel, QMessageBox::Cancel, Answer::Cancel},
      {Buttons::YesNo, QMessageBox::Yes, Answer::Yes},
      {Buttons::YesNo, QMessageBox::No, Answer::No},
      {Buttons::YesNoCancel, QMessageBox::No, Answer::No},
      {Buttons::YesNoCancel, QMessageBox::Cancel, Answer::Cancel},
      {Buttons::SaveDiscardCancel, QMessageBox::Save, Answer::Save},
      {Buttons::SaveDiscardCancel, QMessageBox::Discard, Answer::Discard},
      {Buttons::SaveDiscardCancel, QMessageBox::Cancel, Answer::Cancel},
      // Closed with Escape: the cautious answer.
      {Buttons::OK, QMessageBox::NoButton, Answer::OK},
      {Buttons::OKCancel, QMessageBox::NoButton, Answer::Cancel},
      {Buttons::YesNo, QMessageBox::NoButton, Answer::No},
      {Buttons::YesNoCancel, QMessageBox::NoButton, Answer::Cancel},
      {Buttons::SaveDiscardCancel, QMessageBox::NoButton, Answer::Cancel},
  };
  QtDialogs dialogs;
  for (const auto& c : cases) {
    QString text, title;
    int buttonCount = 0;
    WhenModal([&](QWidget* widget) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      QVERIFY(box);
      text = box->text();
      title = box->windowTitle();
      buttonCount = box->buttons().size();
      if (c.press == QMessageBox::NoButton)
        QTest::keyClick(box, Qt::Key_Escape);
      else
        box->button(c.press)->click();
    });
    const Answer answer = dialogs.Message("Save the diets first?", c.buttons, "Diets");
    QCOMPARE(answer, c.expected);
    QCOMPARE(text, QStringLiteral("Save the diets first?"));
    QCOMPARE(title, QStringLiteral("Diets"));
    const bool three = c.buttons == Buttons::YesNoCancel || c.buttons == Buttons::SaveDiscardCancel;
    QCOMPARE(buttonCount, c.buttons == Buttons::OK ? 1 : three ? 3 : 2);
  }
}

void QtDialogsTest::inputBoxGivesTheTypedTextOrEmpty() {
  QtDialogs dialogs;
  QString prompt, shownDefault;
  WhenModal([&](QWidget* widget) {
    auto* input = qobject_cast<QInputDialog*>(widget);
    QVERIFY(input);
    prompt = input->labelText();
    shownDefault = input->textValue();
    input->setTextValue(QStringLiteral("Farm 2"));
    input->accept();
  });
  QCOMPARE(dialogs.Input("Name of the location", "Location", "Farm 1"), std::string("Farm 2"));
  QCOMPARE(prompt, QStringLiteral("Name of the location"));
  QCOMPARE(shownDefault, QStringLiteral("Farm 1"));

  WhenModal([](QWidget* widget) { qobject_cast<QDialog*>(widget)->reject(); });
  QCOMPARE(dialogs.Input("Name of the location", "Location", "Farm 1"), std::string());
}

// The reject button is pressed; its caption is the request's when it names
// one (a save that keeps the current name), the toolkit's "Cancel" otherwise.
void QtDialogsTest::cancelledFileDialogsReturnTheOfferedName() {
  QtDialogs dialogs;
  QTemporaryDir folder;
  const struct {
    FileRequest request;
    std::string rejectCaption;  // of the save dialog
  } cases[] = {
      {{"Select Path and Calibration File", folder.path().toStdString(), "*.plt", ".plt", "*.plt"},
       ""},
      {{"CURRENT FILE IS x", folder.path().toStdString(), "*.dts", ".dts", "Farm.dts"}, "Keep It"},
      {{"Copy", folder.path().toStdString(), "", "", ""}, ""},
  };
  for (const auto& [request, caption] : cases) {
    for (const bool save : {false, true}) {
      QString title, rejectCaption;
      WhenModal([&](QWidget* widget) {
        title = widget->windowTitle();
        auto* box = widget->findChild<QDialogButtonBox*>();
        QVERIFY(box && box->button(QDialogButtonBox::Cancel));
        rejectCaption = box->button(QDialogButtonBox::Cancel)->text();
        if (!caption.empty()) QVERIFY(box->button(QDialogButtonBox::Cancel)->icon().isNull());
        box->button(QDialogButtonBox::Cancel)->click();
      });
      const std::string chosen =
          save ? dialogs.SaveFile(request, caption) : dialogs.OpenFile(request);
      QCOMPARE(chosen, request.fileName);
      QCOMPARE(title, QString::fromStdString(request.title));
      if (save && !caption.empty())
        QCOMPARE(rejectCaption, QString::fromStdString(caption));
      else
        QCOMPARE(rejectCaption.remove(u'&'), QStringLiteral("Cancel"));
    }
  }
}

void QtDialogsTest::chosenFileGetsTheDefaultExtension() {
  QtDialogs dialogs;
  QTemporaryDir folder;
  const struct {
    const char* typed;
    const char* defaultExt;
    const char* expected;
  } cases[] = {
      {"Farm2", ".plt", "Farm2.plt"},
      {"Farm2.plt", ".plt", "Farm2.plt"},
      {"Farm2.txt", ".plt", "Farm2.txt"},
      {"Farm2", "stg", "Farm2.stg"},
      {"Farm2", "", "Farm2"},
  };
  for (const auto& c : cases) {
    for (const bool save : {false, true}) {
      FileRequest request{"Choose", folder.path().toStdString(), "*.*", c.defaultExt, "*.*"};
      WhenModal([&](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        QVERIFY(dialog);
        // Typed into the name field, as a user does.
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(QString::fromLatin1(c.typed));
        static_cast<QDialog*>(dialog)->accept();
      });
      const std::string chosen = save ? dialogs.SaveFile(request) : dialogs.OpenFile(request);
      // A new name is taken by the open dialog too: a new location starts so.
      QCOMPARE(QString::fromStdString(chosen), QDir(folder.path()).filePath(c.expected));
    }
  }
}

void QtDialogsTest::clipboardSetGetClear() {
  QtDialogs dialogs;
  dialogs.SetClipboard("1.5\t2\n°C\t");
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1.5\t2\n°C\t"));
  QCOMPARE(dialogs.Clipboard(), std::string("1.5\t2\n°C\t"));
  dialogs.ClearClipboard();
  QCOMPARE(dialogs.Clipboard(), std::string());
}

QTEST_MAIN(QtDialogsTest)
#include "QtDialogsTest.moc"
