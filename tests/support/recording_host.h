#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/host.h"

namespace vorex::testing {

// A host that records what the system asked of the platform and answers file dialogs from a
// queue the test fills.
class RecordingHost : public Host {
 public:
  // Every message in `messages`, its kind beside it in `kinds` (a plain box is information).
  void MessageBox(const std::string& text) override { Message(text, MessageKind::Information); }
  void Message(const std::string& text, MessageKind kind) override {
    messages.push_back(text);
    kinds.push_back(kind);
  }
  void StatusLine(const std::string& text) override { statusLines.push_back(text); }
  std::optional<std::string> OpenFileName(const std::string& filter) override {
    filters.push_back(filter);
    return Next();
  }
  std::optional<std::string> SaveFileName(const std::string& filter) override {
    filters.push_back(filter);
    return Next();
  }
  double SecondsSinceMidnight() override { return clock; }
  void SetBusy(bool busy) override { busyChanges.push_back(busy); }
  void CopyPicture(const DrawingList& picture) override {
    copied.push_back(picture.Items().size());
  }
  void PrintPicture(const DrawingList& picture) override {
    printed.push_back(picture.Items().size());
  }
  // Answers from the queue the test fills, No once it is empty.
  Answer AskYesNoCancel(const std::string& question) override {
    questions.push_back(question);
    if (answers.empty()) return Answer::No;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  void ExportPicture(const DrawingList& picture) override {
    exported.push_back(picture.Items().size());
  }

  std::vector<std::string> messages;
  std::vector<MessageKind> kinds;
  std::vector<std::string> statusLines;
  std::vector<std::string> filters;
  std::deque<std::optional<std::string>> fileAnswers;
  std::vector<std::string> questions;
  std::deque<Answer> answers;
  std::vector<bool> busyChanges;
  // The number of drawing operations of each picture copied, printed or exported.
  std::vector<std::size_t> copied, printed, exported;
  double clock = 0;

 private:
  std::optional<std::string> Next() {
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
};

}  // namespace vorex::testing
