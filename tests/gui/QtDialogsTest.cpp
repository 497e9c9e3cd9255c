#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>

#include "ui/QtDialogs.h"

namespace {

// Acts on the next modal dialog as soon as it is up, from inside its own
// event loop.
void WhenModal(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return;
    timer->stop();
    timer->deleteLater();
    act(dialog);
  });
  timer->start(10);
}

}  // namespace

class QtDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void messageBoxesAnswerByTheButtonPressed();
  void messageBoxClosedWithEscapeIsCautious();
  void inputBoxGivesTheTypedTextOrEmpty();
  void cancelledFileDialogsReturnTheOfferedName();
  void chosenFileGetsTheDefaultExtension();
  void clipboardSetGetClear();
};

void QtDialogsTest::messageBoxesAnswerByTheButtonPressed() {
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
      box->button(c.press)->click();
    });
    const Answer answer = dialogs.Message("Save the diets first?", c.buttons, "Diets");
    QCOMPARE(answer, c.expected);
    QCOMPARE(text, QStringLiteral("Save the diets first?"));
    QCOMPARE(title, QStringLiteral("Diets"));
    QCOMPARE(buttonCount, c.buttons == Buttons::OK ? 1 : c.buttons == Buttons::YesNoCancel ? 3 : 2);
  }
}

void QtDialogsTest::messageBoxClosedWithEscapeIsCautious() {
  const struct {
    Buttons buttons;
    Answer expected;
  } cases[] = {{Buttons::OK, Answer::OK},
               {Buttons::OKCancel, Answer::Cancel},
               {Buttons::YesNo, Answer::No},
               {Buttons::YesNoCancel, Answer::Cancel}};
  QtDialogs dialogs;
  for (const auto& c : cases) {
    WhenModal([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
    QCOMPARE(dialogs.Message("Close?", c.buttons), c.expected);
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

void QtDialogsTest::cancelledFileDialogsReturnTheOfferedName() {
  QtDialogs dialogs;
  QTemporaryDir folder;
  const FileRequest requests[] = {
      {"Select Path and Calibration File", folder.path().toStdString(), "*.plt", ".plt", "*.plt"},
      {"CURRENT FILE IS x", folder.path().toStdString(), "*.dts", ".dts", "Farm.dts"},
      {"Copy", folder.path().toStdString(), "", "", ""},
  };
  for (const FileRequest& request : requests) {
    for (const bool save : {false, true}) {
      QString title;
      WhenModal([&](QWidget* widget) {
        title = widget->windowTitle();
        qobject_cast<QDialog*>(widget)->reject();
      });
      const std::string chosen = save ? dialogs.SaveFile(request) : dialogs.OpenFile(request);
      QCOMPARE(chosen, request.fileName);
      QCOMPARE(title, QString::fromStdString(request.title));
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
