#include "ui/SecondaryWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "platform/GridClipboard.h"
#include "ui/CoreText.h"
#include "ui/GridView.h"

namespace {

// The classic key codes the forms know: letters and Insert.
int ClassicKeyCode(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return kKeyA + (qtKey - Qt::Key_A);
  if (qtKey == Qt::Key_Insert) return kKeyInsert;
  return 0;
}

int ClassicShift(Qt::KeyboardModifiers modifiers) {
  int shift = kShiftNone;
  if (modifiers & Qt::ShiftModifier) shift |= kShiftShift;
  if (modifiers & Qt::ControlModifier) shift |= kShiftCtrl;
  return shift;
}

bool IsClipboardKey(int key, int shift) {
  if (shift == kShiftCtrl)
    return key == kKeyC || key == kKeyX || key == kKeyA || key == kKeyV || key == kKeyInsert;
  return shift == kShiftShift && key == kKeyInsert;
}

class FormKeyFilter : public QObject {
 public:
  FormKeyFilter(QObject* parent,
                std::function<bool(int, int)> keyDown,
                std::function<bool(char)> typed)
      : QObject(parent), keyDown_(std::move(keyDown)), typed_(std::move(typed)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const int shift = ClassicShift(key->modifiers());
    if (typed_ && (shift & kShiftCtrl) == 0 && key->text().size() == 1) {
      const QChar ch = key->text().front();
      if (ch.unicode() < 0x80 && ch.isPrint() && typed_(static_cast<char>(ch.unicode())))
        return true;
    }
    const int code = ClassicKeyCode(key->key());
    if (code != 0 && keyDown_) {
      // A clipboard key the form declines must not reach the table's own copy.
      if (keyDown_(code, shift) || IsClipboardKey(code, shift)) return true;
    }
    return false;
  }

 private:
  std::function<bool(int, int)> keyDown_;
  std::function<bool(char)> typed_;
};

}  // namespace

SecondaryWindow::SecondaryWindow(QWidget* parent) : QWidget(parent, Qt::Window) {}

void SecondaryWindow::Open() {
  Refresh();
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
}

void ForwardKeys(GridView& view,
                 std::function<bool(int keyCode, int shift)> keyDown,
                 std::function<bool(char key)> typed) {
  view.installEventFilter(new FormKeyFilter(&view, std::move(keyDown), std::move(typed)));
}
