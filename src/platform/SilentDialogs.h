// Platform: SilentDialogs, Dialogs that never reach a user.
#pragma once

#include <string>
#include <string_view>

#include "platform/Dialogs.h"

// Dialogs that never reach a user: every message is answered OK, input boxes
// and file dialogs are cancelled, the clipboard is empty. For code that runs
// where no one can be asked: a search's worker threads, the fuzz targets.
class SilentDialogs : public Dialogs {
 public:
  Answer Message(std::string_view, Buttons, std::string_view) override { return Answer::OK; }
  std::string Input(std::string_view, std::string_view, std::string_view) override { return {}; }
  std::string OpenFile(const FileRequest& request) override { return request.fileName; }
  std::string SaveFile(const FileRequest& request, std::string_view = {}) override {
    return request.fileName;
  }
  void SetClipboard(std::string_view) override {}
  std::string Clipboard() override { return {}; }
  void ClearClipboard() override {}
};
