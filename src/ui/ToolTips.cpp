#include "ui/ToolTips.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabBar>
#include <QVariant>

#include "app/ControlHelp.h"
#include "ui/CoreText.h"

namespace {

constexpr const char* kScreenTip = "screenTip";  // the screen's own tip, kept beside the help

// Named by this program: not a part Qt names inside its own widgets (the
// scroll buttons of a tab bar).
bool Named(const QWidget& widget) {
  const QString name = widget.objectName();
  if (name.isEmpty() || name.startsWith(QStringLiteral("qt_"))) return false;
  return !qobject_cast<const QTabBar*>(widget.parentWidget());
}

}  // namespace

bool IsInputControl(const QWidget& widget) {
  if (!Named(widget)) return false;
  if (qobject_cast<const QHeaderView*>(&widget)) return false;
  return qobject_cast<const QAbstractButton*>(&widget) || qobject_cast<const QLineEdit*>(&widget) ||
         qobject_cast<const QComboBox*>(&widget) || qobject_cast<const QAbstractItemView*>(&widget);
}

void ShowToolTip(QWidget& control, std::string_view screenTip) {
  control.setProperty(kScreenTip, FromCoreText(screenTip));
  const std::string window = ToCoreText(control.window()->objectName());
  const std::string name = ToCoreText(control.objectName());
  control.setToolTip(FromCoreText(ControlToolTip(window, name, screenTip)));
}

void GiveHelpTips(QWidget& window) {
  QList<QWidget*> widgets = window.findChildren<QWidget*>();
  for (QWidget* widget : widgets) {
    if (!IsInputControl(*widget)) continue;
    const QVariant kept = widget->property(kScreenTip);
    ShowToolTip(*widget, ToCoreText(kept.isValid() ? kept.toString() : widget->toolTip()));
  }
}
