// Command line: the Dialogs of the command line.
#pragma once

#include <string>
#include <string_view>

#include "platform/Dialogs.h"

// Dialogs of the command line: the open-file dialog is answered once with
// the location the user named; message boxes go to standard error;
// questions get the answer that changes nothing (No for Yes/No and
// Yes/No/Cancel, so a missing location is not made a new one and nothing is
// saved; Cancel for OK/Cancel and Save/Discard/Cancel) unless a command asks
// for Yes (Save for Save/Discard/Cancel); input boxes
// and save dialogs are cancelled; the clipboard is kept here.
class CliDialogs : public Dialogs {
 public:
  // The next open-file dialog chooses `path`; later ones are cancelled.
  void AnswerOpenFile(std::string path);
  // The answer to Yes/No questions from now on (No at first): a command that
  // was told to save answers Yes to its save question.
  void AnswerYesNo(Answer answer) { yesNo_ = answer; }

  Answer Message(std::string_view text, Buttons buttons, std::string_view title) override;
  std::string Input(std::string_view prompt,
                    std::string_view title,
                    std::string_view defaultText) override;
  std::string OpenFile(const FileRequest& request) override;
  std::string SaveFile(const FileRequest& request, std::string_view rejectCaption = {}) override;
  void SetClipboard(std::string_view text) override { clipboard_ = text; }
  std::string Clipboard() override { return clipboard_; }
  void ClearClipboard() override { clipboard_.clear(); }

  // How many message boxes were shown.
  int MessageCount() const { return messages_; }

 private:
  std::string openFile_;
  bool openFileAnswered_ = true;
  std::string clipboard_;
  int messages_ = 0;
  Answer yesNo_ = Answer::No;
};
