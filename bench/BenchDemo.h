#pragma once

#include <string>

#include "platform/Dialogs.h"

// A path in the demo location, data/demo.
std::string DemoFile(const std::string& name);

// Dialogs for the benchmarks: every message is counted (a run that shows one
// is not the run being measured) and answered alike; a file dialog opens the
// demo's calibration file when asked to.
class BenchDialogs : public Dialogs {
 public:
  explicit BenchDialogs(::Answer answer = ::Answer::OK, bool openDemo = false)
      : answer_(answer), openDemo_(openDemo) {}
  ::Answer Message(std::string_view, Buttons, std::string_view) override;
  std::string Input(std::string_view, std::string_view, std::string_view) override { return {}; }
  std::string OpenFile(const FileRequest& request) override;
  std::string SaveFile(const FileRequest& request, std::string_view = {}) override {
    return request.fileName;
  }
  void SetClipboard(std::string_view) override {}
  std::string Clipboard() override { return {}; }
  void ClearClipboard() override {}

  int messages = 0;

 private:
  ::Answer answer_;
  bool openDemo_;
};
