// tamsel: the desktop program. `tamsel [LOCATION.plt]` opens the location
// named, as choosing its calibration file in the "Calibration Name" field
// does.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>

#include "app/App.h"
#include "ui/MainWindow.h"
#include "ui/QtDialogs.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tamsel"));
  QApplication::setOrganizationName(QStringLiteral("tamsel"));  // the settings' folder
  // The same icon and name as the desktop's menu entry.
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tamsel.png")));
  QGuiApplication::setDesktopFileName(QStringLiteral("tamsel"));
  QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                          .arg(TAMSEL_VERSION_MAJOR)
                                          .arg(TAMSEL_VERSION_MINOR)
                                          .arg(TAMSEL_VERSION_PATCH));

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Feed optimizer for weanling pigs from 4 kg to 25 kg."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("location"),
                               QStringLiteral("The calibration file (.plt) of a location to open."),
                               QStringLiteral("[LOCATION.plt]"));
  parser.process(application);

  QtDialogs dialogs;
  App app(dialogs);
  MainWindow window(app);
  dialogs.SetParent(&window);
  window.show();

  const QStringList locations = parser.positionalArguments();
  if (!locations.isEmpty()) {
    // Once the window is up, so the location's messages open over it.
    QTimer::singleShot(
        0, &window, [&window, path = locations.front()] { window.OpenLocation(path); });
  }
  return application.exec();
}
