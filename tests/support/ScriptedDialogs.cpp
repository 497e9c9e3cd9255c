#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

ScriptedDialogs& ScriptedDialogs::Answer(::Answer answer) {
  script_.push_back(answer);
  return *this;
}

ScriptedDialogs& ScriptedDialogs::Input(std::string text) {
  script_.push_back(InputAnswer{std::move(text)});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::File(std::string path) {
  script_.push_back(FileAnswer{std::move(path)});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::CancelFile() {
  script_.push_back(FileAnswer{});
  return *this;
}

template <typename T>
bool ScriptedDialogs::Next(T& out, std::string_view what) {
  if (script_.empty() || !std::holds_alternative<T>(script_.front())) {
    ADD_FAILURE() << "unexpected dialog: " << what;
    return false;
  }
  out = std::get<T>(script_.front());
  script_.pop_front();
  return true;
}

namespace {

bool Offers(Buttons buttons, Answer answer) {
  switch (buttons) {
    case Buttons::OK:
      return answer == Answer::OK;
    case Buttons::OKCancel:
      return answer == Answer::OK || answer == Answer::Cancel;
    case Buttons::YesNo:
      return answer == Answer::Yes || answer == Answer::No;
    case Buttons::YesNoCancel:
      return answer == Answer::Yes || answer == Answer::No || answer == Answer::Cancel;
    case Buttons::SaveDiscardCancel:
      return answer == Answer::Save || answer == Answer::Discard || answer == Answer::Cancel;
  }
  return false;
}

}  // namespace

::Answer ScriptedDialogs::Message(std::string_view text, Buttons buttons, std::string_view) {
  shown_.push_back({Shown::Kind::Message, std::string(text), {}, buttons});
  ::Answer answer = ::Answer::OK;
  if (buttons == Buttons::OK) {
    // A plain OK box needs no script entry, but one queued for it is used.
    if (!script_.empty() && std::holds_alternative<::Answer>(script_.front()) &&
        std::get<::Answer>(script_.front()) == ::Answer::OK)
      script_.pop_front();
    return ::Answer::OK;
  }
  if (Next(answer, text) && !Offers(buttons, answer))
    ADD_FAILURE() << "answer the box does not offer: " << text;
  return answer;
}

std::string ScriptedDialogs::Input(std::string_view prompt, std::string_view, std::string_view) {
  shown_.push_back({Shown::Kind::Input, std::string(prompt), {}});
  InputAnswer answer;
  Next(answer, prompt);
  return answer.text;
}

std::string ScriptedDialogs::OpenFile(const FileRequest& request) {
  shown_.push_back({Shown::Kind::OpenFile, request.title, request});
  FileAnswer answer;
  if (!Next(answer, request.title)) return request.fileName;
  return answer.path.value_or(request.fileName);
}

std::string ScriptedDialogs::SaveFile(const FileRequest& request, std::string_view rejectCaption) {
  shown_.push_back(
      {Shown::Kind::SaveFile, request.title, request, Buttons::OK, std::string(rejectCaption)});
  FileAnswer answer;
  if (!Next(answer, request.title)) return request.fileName;
  return answer.path.value_or(request.fileName);
}

std::vector<std::string> ScriptedDialogs::Messages() const {
  std::vector<std::string> texts;
  for (const Shown& s : shown_)
    if (s.kind == Shown::Kind::Message) texts.push_back(s.text);
  return texts;
}
