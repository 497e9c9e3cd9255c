#include "ui/QtDialogs.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ui/CoreText.h"

namespace {

QMessageBox::StandardButtons ButtonsOf(Buttons buttons) {
  switch (buttons) {
    case Buttons::OK:
      return QMessageBox::Ok;
    case Buttons::OKCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::SaveDiscardCancel:
      return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

// A box closed without a button (Escape, the window's close box) answers
// as its most cautious button.
Answer ClosedAnswer(Buttons buttons) {
  switch (buttons) {
    case Buttons::OK:
      return Answer::OK;
    case Buttons::YesNo:
      return Answer::No;
    case Buttons::OKCancel:
    case Buttons::YesNoCancel:
    case Buttons::SaveDiscardCancel:
      return Answer::Cancel;
  }
  return Answer::Cancel;
}

QString TitleOr(std::string_view title) {
  return title.empty() ? QGuiApplication::applicationDisplayName() : FromCoreText(title);
}

bool IsPattern(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

// The default extension goes on a chosen name that has none.
std::string WithDefaultExt(const QString& path, const std::string& defaultExt) {
  std::string chosen = ToCoreText(path);
  if (defaultExt.empty() || QFileInfo(path).fileName().contains(u'.')) return chosen;
  if (defaultExt.front() != '.') chosen += '.';
  return chosen + defaultExt;
}

}  // namespace

Answer QtDialogs::Message(std::string_view text, Buttons buttons, std::string_view title) {
  QMessageBox box(
      QMessageBox::NoIcon, TitleOr(title), FromCoreText(text), ButtonsOf(buttons), parent_);
  switch (box.exec()) {
    case QMessageBox::Ok:
      return Answer::OK;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Save:
      return Answer::Save;
    case QMessageBox::Discard:
      return Answer::Discard;
    default:
      return ClosedAnswer(buttons);
  }
}

std::string QtDialogs::Input(std::string_view prompt,
                             std::string_view title,
                             std::string_view defaultText) {
  QInputDialog dialog(parent_);
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setWindowTitle(TitleOr(title));
  dialog.setLabelText(FromCoreText(prompt));
  dialog.setTextValue(FromCoreText(defaultText));
  if (dialog.exec() != QDialog::Accepted) return {};
  return ToCoreText(dialog.textValue());
}

std::string QtDialogs::OpenFile(const FileRequest& request) {
  return ChooseFile(request, false, {});
}

std::string QtDialogs::SaveFile(const FileRequest& request, std::string_view rejectCaption) {
  return ChooseFile(request, true, rejectCaption);
}

std::string QtDialogs::ChooseFile(const FileRequest& request,
                                  bool save,
                                  std::string_view rejectCaption) {
  QFileDialog dialog(parent_, FromCoreText(request.title), FromCoreText(request.folder));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // An open dialog also takes a new name: a new location starts that way.
  dialog.setFileMode(QFileDialog::AnyFile);
  if (!request.filter.empty()) dialog.setNameFilter(FromCoreText(request.filter));
  if (!rejectCaption.empty()) {
    // A desktop's own dialog would not show the caption.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setLabelText(QFileDialog::Reject, FromCoreText(rejectCaption));
    // Nor may a cancel icon contradict a button that writes.
    if (auto* box = dialog.findChild<QDialogButtonBox*>()) {
      if (QPushButton* reject = box->button(QDialogButtonBox::Cancel)) reject->setIcon(QIcon());
    }
  }
  // An offered pattern ("*.plt") is the filter again, not a name.
  if (!request.fileName.empty() && !IsPattern(request.fileName)) {
    dialog.selectFile(FromCoreText(request.fileName));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return request.fileName;
  }
  return WithDefaultExt(dialog.selectedFiles().constFirst(), request.defaultExt);
}

void QtDialogs::SetClipboard(std::string_view text) {
  QGuiApplication::clipboard()->setText(FromCoreText(text));
}

std::string QtDialogs::Clipboard() { return ToCoreText(QGuiApplication::clipboard()->text()); }

void QtDialogs::ClearClipboard() { QGuiApplication::clipboard()->clear(); }
