// Platform: Dialogs, the one way the core talks to the user.
#pragma once

#include <string>
#include <string_view>

// The only way the core talks to the user: message boxes, input boxes, file
// dialogs and the clipboard. The desktop program implements it with real
// dialogs; tests answer from a script; the command line prints.

enum class Buttons { OK, OKCancel, YesNo, YesNoCancel, SaveDiscardCancel };
enum class Answer { OK, Cancel, Yes, No, Save, Discard };

struct FileRequest {
  std::string title;
  std::string folder;      // where the dialog starts
  std::string filter;      // a pattern such as "*.dts"
  std::string defaultExt;  // added when the chosen name has none, e.g. ".dts"
  std::string fileName;    // offered name; returned unchanged when cancelled
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  virtual Answer Message(std::string_view text,
                         Buttons buttons = Buttons::OK,
                         std::string_view title = {}) = 0;
  // The typed text, or "" when the user cancels.
  virtual std::string Input(std::string_view prompt,
                            std::string_view title,
                            std::string_view defaultText) = 0;
  // The chosen full path, or request.fileName unchanged when cancelled.
  virtual std::string OpenFile(const FileRequest& request) = 0;
  // A save whose reject button does more than cancel names that button (the
  // save protocol keeps the current name and writes there); "" leaves the
  // usual "Cancel".
  virtual std::string SaveFile(const FileRequest& request, std::string_view rejectCaption = {}) = 0;

  virtual void SetClipboard(std::string_view text) = 0;
  virtual std::string Clipboard() = 0;
  virtual void ClearClipboard() = 0;
};
