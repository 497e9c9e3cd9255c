#pragma once

#include <deque>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/Dialogs.h"

// Dialogs for tests: every answer comes from a queue the test fills in the
// order the dialogs will appear, and every text shown is recorded. A dialog
// the script did not expect, or an answer its box does not offer, fails the
// test.
class ScriptedDialogs : public Dialogs {
 public:
  struct Shown {
    enum class Kind { Message, Input, OpenFile, SaveFile } kind;
    std::string text;  // the message, the prompt, or the file dialog's title
    FileRequest request;
    Buttons buttons = Buttons::OK;  // of a message box
    std::string rejectCaption;      // of a save dialog's reject button; "" for "Cancel"
  };

  // Queue the next answers.
  ScriptedDialogs& Answer(::Answer answer);
  ScriptedDialogs& Input(std::string text);
  ScriptedDialogs& File(std::string path);
  // The user cancels the next file dialog: it returns the offered name.
  ScriptedDialogs& CancelFile();

  ::Answer Message(std::string_view text, Buttons buttons, std::string_view title) override;
  std::string Input(std::string_view prompt,
                    std::string_view title,
                    std::string_view defaultText) override;
  std::string OpenFile(const FileRequest& request) override;
  std::string SaveFile(const FileRequest& request, std::string_view rejectCaption = {}) override;
  void SetClipboard(std::string_view text) override { clipboard_ = text; }
  std::string Clipboard() override { return clipboard_; }
  void ClearClipboard() override { clipboard_.clear(); }

  const std::vector<Shown>& shown() const { return shown_; }
  // The texts of the message boxes shown, in order.
  std::vector<std::string> Messages() const;
  // True when every queued answer was used.
  bool Done() const { return script_.empty(); }
  void Forget() { shown_.clear(); }

 private:
  struct FileAnswer {
    std::optional<std::string> path;  // nothing: cancelled
  };
  struct InputAnswer {
    std::string text;
  };
  using Step = std::variant<::Answer, InputAnswer, FileAnswer>;

  template <typename T>
  bool Next(T& out, std::string_view what);

  std::deque<Step> script_;
  std::vector<Shown> shown_;
  std::string clipboard_;
};
