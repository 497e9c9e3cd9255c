// Desktop: QtDialogs, the Dialogs of the desktop.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <string_view>

#include "platform/Dialogs.h"

// The desktop's way to talk to the user: modal message boxes, input boxes,
// open and save file dialogs over the window given as parent, and the
// desktop's clipboard.
class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

  // The window the dialogs open over (none: they stand alone).
  void SetParent(QWidget* parent) { parent_ = parent; }

  Answer Message(std::string_view text,
                 Buttons buttons = Buttons::OK,
                 std::string_view title = {}) override;
  std::string Input(std::string_view prompt,
                    std::string_view title,
                    std::string_view defaultText) override;
  std::string OpenFile(const FileRequest& request) override;
  std::string SaveFile(const FileRequest& request, std::string_view rejectCaption = {}) override;

  void SetClipboard(std::string_view text) override;
  std::string Clipboard() override;
  void ClearClipboard() override;

 private:
  std::string ChooseFile(const FileRequest& request, bool save, std::string_view rejectCaption);
  QWidget* Owner() const;

  QPointer<QWidget> parent_;
};
