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
  void fileDialogsGiveTheChosenOrOfferedName();
};

// Each answer once; Escape gives the cautious one (those boxes untitled).
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
    QCOMPARE(dialogs.Message("Save first?", c.buttons, c.press ? "Diets" : ""), c.expected);
  }
}

void QtDialogsTest::inputBoxGivesTheTypedTextOrEmpty() {
  QtDialogs dialogs;
  WhenModal([](QWidget* widget) {
    auto* input = qobject_cast<QInputDialog*>(widget);
    input->setTextValue(input->textValue() + "0");  // the default shown, typed on
    input->accept();
  });
  QCOMPARE(dialogs.Input("Name of the location", "Location", "Farm 1"), std::string("Farm 10"));

  WhenModal([](QWidget* widget) { qobject_cast<QDialog*>(widget)->reject(); });
  QCOMPARE(dialogs.Input("Name of the location", "Location", "Farm 1"), std::string());
}

// A name typed without an extension gets the default one (the open dialog
// takes a new name too: a new location starts so); cancelled, the name
// offered, the reject button showing the request's caption or "Cancel".
void QtDialogsTest::fileDialogsGiveTheChosenOrOfferedName() {
  QtDialogs dialogs;
  QTemporaryDir folder;
  const std::string dir = folder.path().toStdString();
  const struct {
    FileRequest request;
    bool save;
    const char* typed;  // none: cancelled
    std::string caption, expected;
  } cases[] = {
      {{"Choose", dir, "*.*", ".plt", "*.*"}, false, "Farm2", "", "Farm2.plt"},
      {{"Choose", dir, "*.*", ".plt", "*.*"}, true, "Farm2.txt", "", "Farm2.txt"},
      {{"Choose", dir, "*.*", "stg", "*.*"}, true, "Farm2", "", "Farm2.stg"},
      {{"Copy", dir, "", "", ""}, false, "Farm2", "", "Farm2"},
      {{"Select Path and Calibration File", dir, "*.plt", ".plt", "*.plt"}, false, {}, "", "*.plt"},
      {{"CURRENT FILE IS x", dir, "*.dts", ".dts", "Farm.dts"}, true, {}, "Keep It", "Farm.dts"},
  };
  for (const auto& c : cases) {
    QString rejectCaption;
    WhenModal([&](QWidget* dialog) {
      QPushButton* reject =
          dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
      rejectCaption = reject->text().remove(u'&');
      if (!c.caption.empty()) QVERIFY(reject->icon().isNull());
      if (!c.typed) return reject->click();
      dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(c.typed);
      static_cast<QDialog*>(dialog)->accept();
    });
    QCOMPARE(c.save ? dialogs.SaveFile(c.request, c.caption) : dialogs.OpenFile(c.request),
             c.typed ? dir + "/" + c.expected : c.expected);
    QCOMPARE(rejectCaption, c.caption.empty() ? "Cancel" : QString::fromStdString(c.caption));
  }
}

QTEST_MAIN(QtDialogsTest)
#include "QtDialogsTest.moc"
