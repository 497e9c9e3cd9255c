#include "ui/SecondaryWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include "platform/GridClipboard.h"
#include "ui/CoreText.h"
#include "ui/GridView.h"
#include "ui/OnScreen.h"

namespace {

bool IsClipboardKey(Key key, KeyModifiers modifiers) {
  if (modifiers == kControlModifier)
    return key == Key::C || key == Key::X || key == Key::A || key == Key::V || key == Key::Insert;
  return modifiers == kShiftModifier && key == Key::Insert;
}

class FormKeyFilter : public QObject {
 public:
  FormKeyFilter(QObject* parent,
                std::function<bool(Key, KeyModifiers)> keyDown,
                std::function<bool(char)> typed)
      : QObject(parent), keyDown_(std::move(keyDown)), typed_(std::move(typed)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // The forms' keys take no account of Alt.
    const KeyModifiers modifiers = CoreModifiers(key->modifiers() & ~Qt::AltModifier);
    if (typed_ && (modifiers & kControlModifier) == 0 && key->text().size() == 1) {
      const QChar ch = key->text().front();
      if (ch.unicode() < 0x80 && ch.isPrint() && typed_(static_cast<char>(ch.unicode())))
        return true;
    }
    const Key code = CoreKey(key->key());
    if (code != Key::Other && keyDown_) {
      // A clipboard key the form declines must not reach the table's own copy.
      if (keyDown_(code, modifiers) || IsClipboardKey(code, modifiers)) return true;
    }
    return false;
  }

 private:
  std::function<bool(Key, KeyModifiers)> keyDown_;
  std::function<bool(char)> typed_;
};

}  // namespace

SecondaryWindow::SecondaryWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, [this] { emit HelpRequested(helpSection_); });
}

void SecondaryWindow::Open() {
  Refresh();
  if (!isVisible()) PlaceOnScreen(*this, parentWidget() ? parentWidget()->window() : nullptr);
  show();
  raise();
  activateWindow();
}

void SecondaryWindow::Run(const std::function<void()>& command) {
  command();
  Refresh();
  emit Changed();
  if (!FormOpen() && isVisible()) close();
}

QPushButton* SecondaryWindow::AddButton(const char* name,
                                        std::string_view caption,
                                        const std::function<void()>& command) {
  auto* button = new QPushButton(FromCoreText(caption), this);
  button->setObjectName(QString::fromLatin1(name));
  connect(button, &QPushButton::clicked, this, [this, command] { Run(command); });
  return button;
}

QLabel* SecondaryWindow::AddLabel(const char* name, std::string_view text) {
  auto* label = new QLabel(FromCoreText(text), this);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  return label;
}

void SecondaryWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) emit Closed();
}

void SecondaryWindow::showEvent(QShowEvent* event) {
  Refresh();
  QWidget::showEvent(event);
  // Once the window manager has framed it.
  QTimer::singleShot(0, this, [this] { KeepOnScreen(*this); });
}

void ForwardKeys(GridView& view,
                 std::function<bool(Key key, KeyModifiers modifiers)> keyDown,
                 std::function<bool(char key)> typed) {
  view.installEventFilter(new FormKeyFilter(&view, std::move(keyDown), std::move(typed)));
}
