#include "cli/CliDialogs.h"

#include <cstdio>
#include <utility>

namespace {

void PrintLine(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
}

}  // namespace

void CliDialogs::AnswerOpenFile(std::string path) {
  openFile_ = std::move(path);
  openFileAnswered_ = false;
}

Answer CliDialogs::Message(std::string_view text, Buttons buttons, std::string_view) {
  ++messages_;
  switch (buttons) {
    case Buttons::OK:
      PrintLine(text);
      return Answer::OK;
    case Buttons::OKCancel:
      PrintLine(std::string(text) + " [Cancel]");
      return Answer::Cancel;
    case Buttons::YesNo:
      PrintLine(std::string(text) + (yesNo_ == Answer::Yes ? " [Yes]" : " [No]"));
      return yesNo_;
    case Buttons::SaveDiscardCancel:
      // Unsaved changes: saved when the command was told to save, else kept
      // in place by stopping what would drop them.
      PrintLine(std::string(text) + (yesNo_ == Answer::Yes ? " [Save]" : " [Cancel]"));
      return yesNo_ == Answer::Yes ? Answer::Save : Answer::Cancel;
    case Buttons::YesNoCancel:
      break;
  }
  PrintLine(std::string(text) + " [No]");
  return Answer::No;
}

std::string CliDialogs::Input(std::string_view prompt, std::string_view, std::string_view) {
  PrintLine(std::string(prompt) + " [cancelled]");
  return {};
}

std::string CliDialogs::OpenFile(const FileRequest& request) {
  // Answered once: a dialog that asks again (after a "No") is cancelled, so
  // the command never loops.
  if (openFileAnswered_) return request.fileName;
  openFileAnswered_ = true;
  return openFile_;
}

std::string CliDialogs::SaveFile(const FileRequest& request, std::string_view) {
  return request.fileName;
}
